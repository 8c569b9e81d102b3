* selfcheck.s - runs on the emulated MCF5208EVB board and checks, instruction
* class by instruction class, that what tobra assembled computes what the
* ColdFire architecture defines. One line per check, then PASS or FAIL.
*
* Every check is written as
*         bsr     check
*         dc.b    "<name>",0
*         ds.w    0
* with the result in d0 and the expected value in d1; the emulator test lists
* these names from this file and expects exactly "ok <n> <name>" for each, in
* order, and a last line PASS.
*
* This program keeps to the board's own core, the 5208 (ISA_A with the ISA_A+
* additions, hardware divide, EMAC, the user stack pointer). The ISA_B
* instructions are checked by selfcheck_b.s, on the older V4e core.

        cpu     5208
        org     $40000000
        include selfcheck.i

* Constants and layouts used by the checks.
ANSWER  equ     42
NEGONE  equ     -1
NIBBLES equ     $F0F0F0F0
SHIFTED equ     ANSWER<<4+1             ; left to right: (42<<4)+1

        structure point,0
        word    pt_x
        word    pt_y
        byte    pt_flags
        byte    pt_kind
        long    pt_next
        label   pt_size

        stkstruct frame,0
        long    fr_saved
        word    fr_count
        label   fr_bottom

        enumset 10
        enum.w  E_RED
        enum    E_GREEN
        enum.l  E_BLUE
        enum    E_LAST

        bitdef  CTL,RUN,5

start:  lea     STACK_TOP,sp
        bsr     init

*-------------------------------------------------------------------- moves
        moveq   #-5,d0
        moveq   #-5,d1
        move.l  #$FFFFFFFB,d1
        bsr     check
        dc.b    "moveq sign-extends",0
        ds.w    0

        move.l  #$12345678,d0
        move.b  #$AB,d0
        move.l  #$123456AB,d1
        bsr     check
        dc.b    "move.b to Dn keeps the upper bytes",0
        ds.w    0

        move.l  #$12345678,d0
        move.w  #$CDEF,d0
        move.l  #$1234CDEF,d1
        bsr     check
        dc.b    "move.w to Dn keeps the upper word",0
        ds.w    0

        move.l  longs,d0                ; absolute long
        move.l  #$11223344,d1
        bsr     check
        dc.b    "move.l absolute long",0
        ds.w    0

        lea     longs,a0
        move.l  (a0),d0
        move.l  #$11223344,d1
        bsr     check
        dc.b    "move.l (An)",0
        ds.w    0

        lea     words,a0
        move.w  (a0)+,d0
        move.w  (a0)+,d0
        ext.l   d0
        move.l  #-2,d1
        bsr     check
        dc.b    "move.w (An)+ twice",0
        ds.w    0

        move.l  a0,d0
        sub.l   #words,d0
        moveq   #4,d1
        bsr     check
        dc.b    "(An)+ steps by the word size",0
        ds.w    0

        lea     bytes+3,a0
        moveq   #0,d0
        move.b  -(a0),d0
        move.b  -(a0),d0
        moveq   #2,d1
        bsr     check
        dc.b    "move.b -(An) steps by one",0
        ds.w    0

        lea     longs,a0
        move.l  8(a0),d0
        move.l  #$99AABBCC,d1
        bsr     check
        dc.b    "move.l d16(An)",0
        ds.w    0

        lea     longs,a0
        moveq   #3,d2
        move.l  (-4,a0,d2.l*4),d0
        move.l  #$99AABBCC,d1
        bsr     check
        dc.b    "move.l d8(An,Dn.l*4)",0
        ds.w    0

        lea     words,a0
        move.l  #-1,a1
        move.w  6(a0,a1.l*2),d0
        ext.l   d0
        moveq   #-2,d1
        bsr     check
        dc.b    "move.w d8(An,An.l*2) negative index",0
        ds.w    0

        move.l  pcdata(pc),d0
        move.l  #$CAFEF00D,d1
        bsr     check
        dc.b    "move.l d16(PC)",0
        ds.w    0

        moveq   #1,d2
        bra.s   pcnear
pctab:  dc.l    $CAFEF00D
pcnear: move.w  pctab(pc,d2.l*2),d0
        moveq   #0,d1
        move.w  #$F00D,d1
        andi.l  #$FFFF,d0
        bsr     check
        dc.b    "move.w d8(PC,Dn.l*2)",0
        ds.w    0

        lea     scratch,a0
        lea     longs,a1
        move.l  (a1)+,(a0)+             ; memory to memory
        move.l  (a1),(a0)
        move.l  -(a0),d0
        move.l  #$11223344,d1
        bsr     check
        dc.b    "move.l (An)+,(An)+ memory to memory",0
        ds.w    0

        lea     scratch,a0
        move.l  #$01020304,(a0)
        moveq   #-1,d2
        move.b  d2,2(a0)                ; a byte store into the middle of a long
        move.l  (a0),d0
        move.l  #$0102FF04,d1
        bsr     check
        dc.b    "move.b Dn,d16(An)",0
        ds.w    0

        movea.w #$8000,a0
        move.l  a0,d0
        move.l  #$FFFF8000,d1
        bsr     check
        dc.b    "movea.w sign-extends",0
        ds.w    0

        move.l  #$12345678,d0
        swap    d0
        move.l  #$56781234,d1
        bsr     check
        dc.b    "swap",0
        ds.w    0

        move.l  #$000000F0,d0
        extb.l  d0
        moveq   #-16,d1
        bsr     check
        dc.b    "extb.l",0
        ds.w    0

        move.l  #$12348001,d0
        ext.w   d0
        move.l  #$12340001,d1
        bsr     check
        dc.b    "ext.w",0
        ds.w    0

        move.l  #-1,d0
        clr.b   d0
        move.l  #$FFFFFF00,d1
        bsr     check
        dc.b    "clr.b",0
        ds.w    0

*--------------------------------------------------------- arithmetic and flags
        move.l  #$7FFFFFFF,d2
        addq.l  #1,d2
        move.w  ccr,d0
        andi.l  #$1F,d0
        moveq   #CC_N+CC_V,d1
        bsr     check
        dc.b    "addq.l overflow sets N and V",0
        ds.w    0

        cmp.l   #$80000000,d2
        move.w  ccr,d0
        andi.l  #$1F,d0
        moveq   #CC_Z,d1
        bsr     check
        dc.b    "cmp.l equal sets Z only",0
        ds.w    0

        moveq   #0,d2
        subq.l  #1,d2
        move.w  ccr,d0
        andi.l  #$1F,d0
        moveq   #CC_X+CC_N+CC_C,d1
        bsr     check
        dc.b    "subq.l borrow sets X N C",0
        ds.w    0

        move.l  #$FFFFFFFF,d2           ; 64-bit add: $00000001_FFFFFFFF + 1
        moveq   #1,d3
        moveq   #1,d4
        moveq   #0,d5
        add.l   d4,d2
        addx.l  d5,d3
        move.l  d3,d0
        moveq   #2,d1
        bsr     check
        dc.b    "add.l then addx.l carries",0
        ds.w    0

        moveq   #0,d2                   ; 64-bit subtract: $00000002_00000000 - 1
        moveq   #2,d3
        moveq   #1,d4
        moveq   #0,d5
        sub.l   d4,d2
        subx.l  d5,d3
        move.l  d3,d0
        moveq   #1,d1
        bsr     check
        dc.b    "sub.l then subx.l borrows",0
        ds.w    0

        moveq   #1,d2                   ; 64-bit negate of 1
        moveq   #0,d3
        neg.l   d2
        negx.l  d3
        move.l  d3,d0
        moveq   #-1,d1
        bsr     check
        dc.b    "neg.l then negx.l",0
        ds.w    0

        move.l  #1000,d0
        addi.l  #ANSWER,d0
        subi.l  #2,d0
        move.l  #1040,d1
        bsr     check
        dc.b    "addi.l and subi.l",0
        ds.w    0

        lea     $1000,a0
        adda.l  #-16,a0
        suba.l  #$10,a0
        move.l  a0,d0
        move.l  #$FE0,d1
        bsr     check
        dc.b    "adda.l and suba.l",0
        ds.w    0

        lea     words,a0
        moveq   #5,d2
        add.l   d2,(a0)                 ; read-modify-write of memory
        move.l  (a0),d0
        move.l  #$0007FFFE+5,d1         ; words holds 7, -2
        bsr     check
        dc.b    "add.l Dn,(An)",0
        ds.w    0
        subq.l  #5,(a0)

        moveq   #3,d0
        cmpi.l  #4,d0
        move.w  ccr,d0
        andi.l  #$1F,d0
        moveq   #CC_N+CC_C,d1
        bsr     check
        dc.b    "cmpi.l smaller sets N C",0
        ds.w    0

        lea     100,a0
        cmpa.l  #$7FFFFFFF,a0
        move.w  ccr,d0
        andi.l  #$1F,d0
        moveq   #CC_N+CC_C,d1
        bsr     check
        dc.b    "cmpa.l",0
        ds.w    0

        moveq   #0,d2
        tst.l   d2
        move.w  ccr,d0
        andi.l  #$1F,d0
        moveq   #CC_Z,d1
        bsr     check
        dc.b    "tst.l zero",0
        ds.w    0

        move.w  #CC_X+CC_V,ccr
        move.w  ccr,d0
        andi.l  #$1F,d0
        moveq   #CC_X+CC_V,d1
        bsr     check
        dc.b    "move.w #imm,ccr",0
        ds.w    0

        moveq   #CC_N+CC_C,d2
        move.w  d2,ccr
        move.w  ccr,d0
        andi.l  #$1F,d0
        moveq   #CC_N+CC_C,d1
        bsr     check
        dc.b    "move.w Dn,ccr",0
        ds.w    0

*-------------------------------------------------------------------- logic
        move.l  #$12345678,d0
        andi.l  #NIBBLES,d0
        move.l  #$10305070,d1
        bsr     check
        dc.b    "andi.l with an equ mask",0
        ds.w    0

        move.l  #$12345678,d0
        ori.l   #$0F,d0
        eori.l  #$FF000000,d0
        move.l  #$ED34567F,d1
        bsr     check
        dc.b    "ori.l and eori.l",0
        ds.w    0

        move.l  #$0000FFFF,d0
        move.l  #$00FF00FF,d2
        and.l   d2,d0
        or.l    #$F0000000,d0
        eor.l   d2,d0
        move.l  #$F0FF0000,d1
        bsr     check
        dc.b    "and.l or.l eor.l",0
        ds.w    0

        move.l  #$0F0F0F0F,d0
        not.l   d0
        move.l  #$F0F0F0F0,d1
        bsr     check
        dc.b    "not.l",0
        ds.w    0

*------------------------------------------------------------------- shifts
        move.l  #$80000001,d0
        asr.l   #1,d0
        move.w  ccr,d2
        move.l  #$C0000000,d1
        bsr     check
        dc.b    "asr.l keeps the sign",0
        ds.w    0

        move.l  d2,d0
        andi.l  #$1F,d0
        moveq   #CC_X+CC_N+CC_C,d1
        bsr     check
        dc.b    "asr.l shifts the low bit into X and C",0
        ds.w    0

        move.l  #$80000001,d0
        lsr.l   #1,d0
        move.l  #$40000000,d1
        bsr     check
        dc.b    "lsr.l shifts in zero",0
        ds.w    0

        move.l  #$40000001,d0
        moveq   #2,d2
        asl.l   d2,d0
        move.w  ccr,d2
        move.l  #4,d1
        bsr     check
        dc.b    "asl.l by a register",0
        ds.w    0

        move.l  d2,d0
        andi.l  #$1F,d0
        moveq   #CC_X+CC_C,d1
        bsr     check
        dc.b    "asl.l carries the last bit out",0
        ds.w    0

        move.l  #1,d0
        moveq   #33,d2                  ; counts are taken modulo 64
        lsl.l   d2,d0
        moveq   #0,d1
        bsr     check
        dc.b    "lsl.l by 33 clears",0
        ds.w    0

        move.l  #$0000ABCD,d0
        lsl.l   #8,d0
        move.l  #$00ABCD00,d1
        bsr     check
        dc.b    "lsl.l #8",0
        ds.w    0

*--------------------------------------------------------- bit operations
        moveq   #0,d0
        bset    #CTLB_RUN,d0
        move.l  #CTLF_RUN,d1
        bsr     check
        dc.b    "bset #n,Dn with bitdef names",0
        ds.w    0

        move.l  #-1,d0
        moveq   #35,d2                  ; register bit numbers are modulo 32
        bclr    d2,d0
        move.l  #$FFFFFFF7,d1
        bsr     check
        dc.b    "bclr Dn,Dn modulo 32",0
        ds.w    0

        moveq   #0,d0
        bchg    #31,d0
        bchg    #0,d0
        move.l  #$80000001,d1
        bsr     check
        dc.b    "bchg #n,Dn",0
        ds.w    0

        moveq   #4,d2
        btst    d2,d2                   ; bit 4 of 4 is clear
        move.w  ccr,d0
        andi.l  #CC_Z,d0
        moveq   #CC_Z,d1
        bsr     check
        dc.b    "btst Dn,Dn sets Z for a clear bit",0
        ds.w    0

        lea     scratch,a0
        clr.l   (a0)
        bset    #9,(a0)                 ; memory bit numbers are modulo 8
        moveq   #3,d2
        bset    d2,1(a0)
        move.l  (a0),d0
        move.l  #$02080000,d1
        bsr     check
        dc.b    "bset on memory modulo 8",0
        ds.w    0

        btst    #1,(a0)
        move.w  ccr,d0
        andi.l  #CC_Z,d0
        moveq   #0,d1
        bsr     check
        dc.b    "btst #n,(An) clears Z for a set bit",0
        ds.w    0

        move.l  #$00010000,d0
        bitrev  d0
        move.l  #$00008000,d1
        bsr     check
        dc.b    "bitrev",0
        ds.w    0

        move.l  #$11223344,d0
        byterev d0
        move.l  #$44332211,d1
        bsr     check
        dc.b    "byterev",0
        ds.w    0

        move.l  #$00012345,d0
        ff1     d0
        moveq   #15,d1
        bsr     check
        dc.b    "ff1",0
        ds.w    0

        moveq   #0,d0
        moveq   #5,d2
        cmp.l   #5,d2
        seq     d0
        move.l  #$FF,d1
        bsr     check
        dc.b    "seq sets the byte",0
        ds.w    0

        moveq   #-1,d0
        cmp.l   #6,d2
        seq     d0
        move.l  #$FFFFFF00,d1
        bsr     check
        dc.b    "seq clears the byte",0
        ds.w    0

*------------------------------------------------------- multiply and divide
        move.l  #$FFFF0003,d0           ; the upper words are ignored
        move.l  #$00FF0004,d2
        mulu.w  d2,d0
        moveq   #12,d1
        bsr     check
        dc.b    "mulu.w",0
        ds.w    0

        move.l  #-3,d0
        muls.w  #1000,d0
        move.l  #-3000,d1
        bsr     check
        dc.b    "muls.w #imm",0
        ds.w    0

        move.l  #100000,d0
        move.l  #-30000,d2
        muls.l  d2,d0
        move.l  #$4D2FA200,d1           ; the low 32 bits of -3000000000
        bsr     check
        dc.b    "muls.l low 32 bits",0
        ds.w    0

        move.l  #$10001,d0
        move.l  d0,d2
        mulu.l  d2,d0
        move.l  #$00020001,d1
        bsr     check
        dc.b    "mulu.l drops the high half",0
        ds.w    0

        moveq   #100,d0
        moveq   #7,d2
        divu.w  d2,d0
        move.l  #$0002000E,d1           ; remainder 2, quotient 14
        bsr     check
        dc.b    "divu.w remainder:quotient",0
        ds.w    0

        move.l  #-100,d0
        divs.w  #7,d0
        move.l  #$FFFEFFF2,d1           ; remainder -2, quotient -14
        bsr     check
        dc.b    "divs.w rounds toward zero",0
        ds.w    0

        move.l  #$80000000,d0
        moveq   #3,d2
        divu.l  d2,d0
        move.l  #$2AAAAAAA,d1
        bsr     check
        dc.b    "divu.l",0
        ds.w    0

        move.l  #-1000000,d0
        lea     longs,a0
        move.l  #7,(a0)
        divs.l  (a0),d0
        move.l  #-142857,d1
        bsr     check
        dc.b    "divs.l (An)",0
        ds.w    0
        move.l  #$11223344,(a0)

        move.l  #1000001,d3
        moveq   #10,d2
        remu.l  d2,d0:d3                ; d0 = d3 mod d2
        moveq   #1,d1
        bsr     check
        dc.b    "remu.l",0
        ds.w    0

        move.l  #-1000001,d3
        rems.l  d2,d0:d3
        moveq   #-1,d1
        bsr     check
        dc.b    "rems.l takes the dividend's sign",0
        ds.w    0

        move.l  d3,d0                   ; the dividend is left alone
        move.l  #-1000001,d1
        bsr     check
        dc.b    "rems.l keeps the dividend",0
        ds.w    0

*--------------------------------------------- movem, link/unlk, lea/pea
        moveq   #1,d2
        moveq   #2,d3
        moveq   #3,d4
        lea     4,a2
        lea     scratch,a0
        movem.l d2-d4/a2,(a0)
        move.l  12(a0),d0
        addi.l  #$10,d0
        add.l   (a0),d0
        add.l   8(a0),d0
        moveq   #$10+4+1+3,d1
        bsr     check
        dc.b    "movem.l registers to memory",0
        ds.w    0

        moveq   #0,d2
        moveq   #0,d3
        movem.l 4(a0),d2-d3
        move.l  d3,d0
        lsl.l   #4,d0
        or.l    d2,d0
        moveq   #$32,d1
        bsr     check
        dc.b    "movem.l d16(An) to registers",0
        ds.w    0

        move.l  sp,d5
        link    a6,#-12
        move.l  sp,d0
        sub.l   d5,d0
        moveq   #-16,d1                 ; the saved a6 and 12 bytes
        bsr     check
        dc.b    "link reserves the frame",0
        ds.w    0

        move.l  a6,d0
        sub.l   d5,d0
        moveq   #-4,d1
        bsr     check
        dc.b    "link points a6 at the saved a6",0
        ds.w    0

        move.l  #$5A5A,d2
        move.l  d2,fr_saved(a6)         ; a downward layout below the frame pointer
        move.l  -4(a6),d0
        move.l  #$5A5A,d1
        bsr     check
        dc.b    "stkstruct field below the frame pointer",0
        ds.w    0

        unlk    a6
        move.l  sp,d0
        sub.l   d5,d0
        moveq   #0,d1
        bsr     check
        dc.b    "unlk restores the stack",0
        ds.w    0

        lea     longs,a0
        moveq   #2,d2
        lea     4(a0,d2.l*4),a1
        move.l  a1,d0
        sub.l   a0,d0
        moveq   #12,d1
        bsr     check
        dc.b    "lea d8(An,Dn.l*4)",0
        ds.w    0

        pea     pt_size(a0)
        move.l  (sp)+,d0
        sub.l   a0,d0
        moveq   #10,d1
        bsr     check
        dc.b    "pea pushes the address",0
        ds.w    0

        lea     here(pc),a1
        move.l  a1,d0
        move.l  #here,d1
        bsr     check
here:   dc.b    "lea d16(PC) equals the absolute label",0
        ds.w    0

*-------------------------------------------------------------------- branches
* Each value of the CCR below is loaded before every one of the fourteen
* conditional branches; the routines set bit i of d0 when condition i (in the
* order hi ls cc cs ne eq vc vs pl mi ge lt gt le) branches, and bit 14 when
* bra does. The expected masks follow the architecture's condition table.
        moveq   #0,d2
        bsr     branches_b
        move.l  #%101010101010101,d1
        bsr     check
        dc.b    "b<cc>.b with no flag set",0
        ds.w    0
        moveq   #CC_C,d2
        bsr     branches_b
        move.l  #%101010101011010,d1
        bsr     check
        dc.b    "b<cc>.b with C set",0
        ds.w    0
        moveq   #CC_V,d2
        bsr     branches_b
        move.l  #%110100110010101,d1
        bsr     check
        dc.b    "b<cc>.b with V set",0
        ds.w    0
        moveq   #CC_Z,d2
        bsr     branches_b
        move.l  #%110010101100110,d1
        bsr     check
        dc.b    "b<cc>.b with Z set",0
        ds.w    0
        moveq   #CC_N,d2
        bsr     branches_b
        move.l  #%110101001010101,d1
        bsr     check
        dc.b    "b<cc>.b with N set",0
        ds.w    0
        moveq   #CC_N+CC_V,d2
        bsr     branches_b
        move.l  #%101011010010101,d1
        bsr     check
        dc.b    "b<cc>.b with N V set",0
        ds.w    0
        moveq   #CC_N+CC_Z,d2
        bsr     branches_b
        move.l  #%110101001100110,d1
        bsr     check
        dc.b    "b<cc>.b with N Z set",0
        ds.w    0
        moveq   #CC_Z+CC_C,d2
        bsr     branches_b
        move.l  #%110010101101010,d1
        bsr     check
        dc.b    "b<cc>.b with Z C set",0
        ds.w    0
        moveq   #0,d2
        bsr     branches_w
        move.l  #%101010101010101,d1
        bsr     check
        dc.b    "b<cc>.w with no flag set",0
        ds.w    0
        moveq   #CC_C,d2
        bsr     branches_w
        move.l  #%101010101011010,d1
        bsr     check
        dc.b    "b<cc>.w with C set",0
        ds.w    0
        moveq   #CC_V,d2
        bsr     branches_w
        move.l  #%110100110010101,d1
        bsr     check
        dc.b    "b<cc>.w with V set",0
        ds.w    0
        moveq   #CC_Z,d2
        bsr     branches_w
        move.l  #%110010101100110,d1
        bsr     check
        dc.b    "b<cc>.w with Z set",0
        ds.w    0
        moveq   #CC_N,d2
        bsr     branches_w
        move.l  #%110101001010101,d1
        bsr     check
        dc.b    "b<cc>.w with N set",0
        ds.w    0
        moveq   #CC_N+CC_V,d2
        bsr     branches_w
        move.l  #%101011010010101,d1
        bsr     check
        dc.b    "b<cc>.w with N V set",0
        ds.w    0
        moveq   #CC_N+CC_Z,d2
        bsr     branches_w
        move.l  #%110101001100110,d1
        bsr     check
        dc.b    "b<cc>.w with N Z set",0
        ds.w    0
        moveq   #CC_Z+CC_C,d2
        bsr     branches_w
        move.l  #%110010101101010,d1
        bsr     check
        dc.b    "b<cc>.w with Z C set",0
        ds.w    0

*------------------------------------------------------ calls and jumps
        bra.s   calls
add_one:
        addq.l  #1,d0
        rts
calls:  moveq   #0,d0
        bsr.b   add_one
        bsr.w   add_one
        jsr     add_one
        lea     add_one(pc),a0
        jsr     (a0)
        moveq   #4,d1
        bsr     check
        dc.b    "bsr.b bsr.w jsr abs jsr (An) and rts",0
        ds.w    0

        moveq   #2,d2                   ; a jump table of dr.w offsets
        lea     jumps,a0
        lea     (a0,d2.l*2),a0          ; each entry is relative to itself
        move.w  (a0),d3
        ext.l   d3
        jmp     (a0,d3.l)
jump0:  moveq   #10,d0
        bra.s   jumped
jump1:  moveq   #11,d0
        bra.s   jumped
jump2:  moveq   #12,d0
jumped: moveq   #12,d1
        bsr     check
        dc.b    "jmp through a dr.w table",0
        ds.w    0

*---------------------------------------------- data tables and constants
        lea     bytes,a0
        moveq   #0,d0
        moveq   #0,d2
        moveq   #BYTE_COUNT-1,d3
.sum:   move.b  (a0)+,d2
        add.l   d2,d0
        subq.l  #1,d3
        bpl.s   .sum
        move.l  #1+2+3+4+200,d1
        bsr     check
        dc.b    "sum of a dc.b table",0
        ds.w    0

        lea     filled,a0
        move.l  (a0)+,d0
        move.l  #$AAAAAAAA,d1
        bsr     check
        dc.b    "ds.b with a fill byte",0
        ds.w    0

        move.l  (a0),d0                 ; filled ends 1 byte past a long boundary
        moveq   #1,d1                   ; three zero bytes, then $01 of the dc.l
        bsr     check
        dc.b    "ds.l 0 pads with zeros",0
        ds.w    0

        move.l  #aligned,d0
        andi.l  #3,d0
        moveq   #0,d1
        bsr     check
        dc.b    "ds.l 0 aligns to a long",0
        ds.w    0

        lea     greeting,a0
        moveq   #0,d0
.len:   tst.b   (a0)+
        beq.s   .lend
        addq.l  #1,d0
        bra.s   .len
.lend:  moveq   #greeting_end-greeting-1,d1
        bsr     check
        dc.b    "dc.b string length from labels",0
        ds.w    0

        move.l  strword,d0
        move.l  #$00410042,d1
        bsr     check
        dc.b    "dc.w of a string: one word per character",0
        ds.w    0

        move.l  packed,d0
        move.l  #'ABCD',d1
        bsr     check
        dc.b    "equ of a string packs its characters",0
        ds.w    0

        lea     zeros,a0
        move.l  (a0)+,d0
        or.l    (a0)+,d0
        or.l    (a0),d0
        moveq   #0,d1
        bsr     check
        dc.b    "bss starts cleared",0
        ds.w    0

        move.l  #SHIFTED,d0
        move.l  #$2A1,d1
        bsr     check
        dc.b    "equ expressions evaluate left to right",0
        ds.w    0

        move.l  #pt_next<<16+pt_size,d0
        move.l  #$0006000A,d1
        bsr     check
        dc.b    "structure offsets",0
        ds.w    0

        move.l  #fr_count<<16+fr_bottom,d0
        move.l  #$FFF9FFFA,d1           ; -6<<16, plus -6
        bsr     check
        dc.b    "stkstruct offsets",0
        ds.w    0

        move.l  #E_RED<<8+E_GREEN<<8+E_BLUE<<8+E_LAST,d0
        move.l  #$0A0C0D11,d1
        bsr     check
        dc.b    "enum steps by the item size",0
        ds.w    0

        move.l  #UART0+u_tb,d0          ; both from the include file
        move.l  #$FC06000C,d1
        bsr     check
        dc.b    "equ and structure from an include file",0
        ds.w    0

*------------------------------------------------------ conditional assembly
        moveq   #0,d0
        ifeq    ANSWER-42
        addq.l  #1,d0
        else
        addq.l  #2,d0
        endc
        ifne    ANSWER-42
        addq.l  #4,d0
        endc
        ifd     UART0
        addq.l  #8,d0
        endc
        ifnd    NOT_DEFINED
        ifgt    NEGONE
        ori.l   #$100,d0
        else
        ori.l   #$200,d0
        ifne    0
        ori.l   #$400,d0
        endc
        endc
        endc
        ifeq    1
        ifeq    0
        ori.l   #$800,d0
        else
        ori.l   #$1000,d0               ; the enclosing block is off
        endc
        endc
        moveq   #1+8,d1
        ori.l   #$200,d1
        bsr     check
        dc.b    "ifeq ifne ifd ifnd ifgt else endc nested",0
        ds.w    0

*------------------------------------------------------ system and odd sizes
        lea     -$8000.w,a0             ; absolute short: no memory is touched
        move.l  a0,d0
        move.l  #$FFFF8000,d1
        bsr     check
        dc.b    "lea absolute short sign-extends",0
        ds.w    0

        moveq   #9,d0
        nop
        tpf                             ; one word
        tpf.w   #$7000                  ; two words: the operand must be skipped
        tpf.l   #$70007000              ; three words
        moveq   #9,d1
        bsr     check
        dc.b    "nop and tpf of each length",0
        ds.w    0

        lea     trap5(pc),a0
        move.l  a0,VECTORS+148          ; trap #5 is vector 37
        moveq   #0,d0
        trap    #5
        moveq   #37,d1
        bsr     check
        dc.b    "trap #5 and rte",0
        ds.w    0

        move.w  sr,d0
        andi.l  #$2000,d0
        move.l  #$2000,d1
        bsr     check
        dc.b    "move.w sr shows supervisor mode",0
        ds.w    0

        lea     $12340,a0               ; the 5208 keeps a user stack pointer
        move.l  a0,usp
        move.l  usp,a1
        move.l  a1,d0
        move.l  #$12340,d1
        bsr     check
        dc.b    "move to and from usp",0
        ds.w    0

        bra.s   emac
trap5:  moveq   #37,d0
        rte

*--------------------------------------------------------------------- EMAC
emac:
* Only mac.l is checked: the emulator's msac and its word-half products do not
* follow the architecture, while the encodings match the GNU assembler's.
        moveq   #0,d2
        move.l  d2,macsr                ; signed integers, no saturation
        move.l  d2,acc0
        moveq   #7,d2
        moveq   #-6,d3
        mac.l   d2,d3
        mac.l   d2,d2
        move.l  acc0,d0
        moveq   #-42+49,d1
        bsr     check
        dc.b    "mac.l accumulates",0
        ds.w    0

        bra     finish

pcdata: dc.l    $CAFEF00D

* branches_b: see above; d2 holds the CCR to test.
branches_b:
        moveq   #0,d0
        move.w  d2,ccr
        bhi.b   .t0
        bra.b   .n0
.t0:	bset    #0,d0
.n0:
        move.w  d2,ccr
        bls.b   .t1
        bra.b   .n1
.t1:	bset    #1,d0
.n1:
        move.w  d2,ccr
        bcc.b   .t2
        bra.b   .n2
.t2:	bset    #2,d0
.n2:
        move.w  d2,ccr
        bcs.b   .t3
        bra.b   .n3
.t3:	bset    #3,d0
.n3:
        move.w  d2,ccr
        bne.b   .t4
        bra.b   .n4
.t4:	bset    #4,d0
.n4:
        move.w  d2,ccr
        beq.b   .t5
        bra.b   .n5
.t5:	bset    #5,d0
.n5:
        move.w  d2,ccr
        bvc.b   .t6
        bra.b   .n6
.t6:	bset    #6,d0
.n6:
        move.w  d2,ccr
        bvs.b   .t7
        bra.b   .n7
.t7:	bset    #7,d0
.n7:
        move.w  d2,ccr
        bpl.b   .t8
        bra.b   .n8
.t8:	bset    #8,d0
.n8:
        move.w  d2,ccr
        bmi.b   .t9
        bra.b   .n9
.t9:	bset    #9,d0
.n9:
        move.w  d2,ccr
        bge.b   .t10
        bra.b   .n10
.t10:	bset    #10,d0
.n10:
        move.w  d2,ccr
        blt.b   .t11
        bra.b   .n11
.t11:	bset    #11,d0
.n11:
        move.w  d2,ccr
        bgt.b   .t12
        bra.b   .n12
.t12:	bset    #12,d0
.n12:
        move.w  d2,ccr
        ble.b   .t13
        bra.b   .n13
.t13:	bset    #13,d0
.n13:
        move.w  d2,ccr
        bra.b   .t14
        rts
.t14:	bset    #14,d0
        rts

* branches_w: see above; d2 holds the CCR to test.
branches_w:
        moveq   #0,d0
        move.w  d2,ccr
        bhi.w   .t0
        bra.w   .n0
.t0:	bset    #0,d0
.n0:
        move.w  d2,ccr
        bls.w   .t1
        bra.w   .n1
.t1:	bset    #1,d0
.n1:
        move.w  d2,ccr
        bcc.w   .t2
        bra.w   .n2
.t2:	bset    #2,d0
.n2:
        move.w  d2,ccr
        bcs.w   .t3
        bra.w   .n3
.t3:	bset    #3,d0
.n3:
        move.w  d2,ccr
        bne.w   .t4
        bra.w   .n4
.t4:	bset    #4,d0
.n4:
        move.w  d2,ccr
        beq.w   .t5
        bra.w   .n5
.t5:	bset    #5,d0
.n5:
        move.w  d2,ccr
        bvc.w   .t6
        bra.w   .n6
.t6:	bset    #6,d0
.n6:
        move.w  d2,ccr
        bvs.w   .t7
        bra.w   .n7
.t7:	bset    #7,d0
.n7:
        move.w  d2,ccr
        bpl.w   .t8
        bra.w   .n8
.t8:	bset    #8,d0
.n8:
        move.w  d2,ccr
        bmi.w   .t9
        bra.w   .n9
.t9:	bset    #9,d0
.n9:
        move.w  d2,ccr
        bge.w   .t10
        bra.w   .n10
.t10:	bset    #10,d0
.n10:
        move.w  d2,ccr
        blt.w   .t11
        bra.w   .n11
.t11:	bset    #11,d0
.n11:
        move.w  d2,ccr
        bgt.w   .t12
        bra.w   .n12
.t12:	bset    #12,d0
.n12:
        move.w  d2,ccr
        ble.w   .t13
        bra.w   .n13
.t13:	bset    #13,d0
.n13:
        move.w  d2,ccr
        bra.w   .t14
        rts
.t14:	bset    #14,d0
        rts

* The data and basedata sections follow the code in a binary image, so the
* data section starts where the code ends.
        ds.l    0
code_end:

        section data
        org     code_end
longs:  dc.l    $11223344,$55667788,$99AABBCC
words:  dc.w    7,-2,-2,$1234
bytes:  dc.b    1,2,3,4,200
BYTE_COUNT equ  *-bytes
filled: ds.b    4,$AA
        ds.l    0
aligned:
        dc.l    $01020304
greeting:
        dc.b    "Hello",0
greeting_end:
        ds.w    0
strword:
        dc.w    "AB"
packed_value equ "ABCD"
packed: dc.l    packed_value
jumps:  dr.w    jump0,jump1,jump2

        section bss
        org     $40200000
scratch:
        ds.l    4
zeros:  ds.l    3
