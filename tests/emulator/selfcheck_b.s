* selfcheck_b.s - the ISA_B additions, the user stack pointer and a little of
* the FPU, run on the emulated board with a V4e core (the board's own core
* lacks them), and the floating-point example. Same conventions as selfcheck.s:
* every check is "bsr check" followed by its name, with the result in d0 and
* the expected value in d1.

        cpu     5485
        org     $40000000
        include selfcheck.i

start:  lea     STACK_TOP,sp
        bsr     init

*--------------------------------------------------------------------- mov3q
        mov3q   #-1,d0
        moveq   #-1,d1
        bsr     check
        dc.b    "mov3q #-1,Dn",0
        ds.w    0

        lea     scratch,a0
        mov3q   #7,(a0)+
        mov3q   #1,(a0)
        move.l  -(a0),d0
        add.l   4(a0),d0
        moveq   #8,d1
        bsr     check
        dc.b    "mov3q to memory",0
        ds.w    0

*----------------------------------------------------------------- mvs, mvz
        move.l  #$123456F0,d2
        mvs.b   d2,d0
        moveq   #-16,d1
        bsr     check
        dc.b    "mvs.b",0
        ds.w    0

        move.l  #$12348000,d2
        mvs.w   d2,d0
        move.l  #$FFFF8000,d1
        bsr     check
        dc.b    "mvs.w",0
        ds.w    0

        mvz.b   d2,d0
        moveq   #0,d1
        bsr     check
        dc.b    "mvz.b",0
        ds.w    0

        lea     halves,a0
        mvz.w   (a0)+,d0
        mvs.w   (a0),d3
        add.l   d3,d0
        move.l  #$FFFE-2,d1
        bsr     check
        dc.b    "mvz.w and mvs.w from memory",0
        ds.w    0

        mvz.b   #-1,d0                  ; the immediate is a word $FFFF; the byte is used
        move.l  #$FF,d1
        bsr     check
        dc.b    "mvz.b #imm",0
        ds.w    0

*---------------------------------------------------------------------- sats
        move.l  #$7FFFFFFF,d0
        addq.l  #1,d0
        sats.l  d0
        move.l  #$7FFFFFFF,d1
        bsr     check
        dc.b    "sats.l after a positive overflow",0
        ds.w    0

        move.l  #$80000000,d0
        subq.l  #1,d0
        sats.l  d0
        move.l  #$80000000,d1
        bsr     check
        dc.b    "sats.l after a negative overflow",0
        ds.w    0

        moveq   #5,d0
        tst.l   d0
        sats.l  d0
        moveq   #5,d1
        bsr     check
        dc.b    "sats.l without overflow",0
        ds.w    0

*----------------------------------------------------------------------- tas
        lea     scratch,a0
        clr.l   (a0)
        tas     1(a0)
        move.w  ccr,d0
        andi.l  #CC_Z+CC_N,d0
        moveq   #CC_Z,d1
        bsr     check
        dc.b    "tas of zero sets Z",0
        ds.w    0

        tas     1(a0)
        move.w  ccr,d0
        andi.l  #CC_Z+CC_N,d0
        moveq   #CC_N,d1
        bsr     check
        dc.b    "tas of a set byte sets N",0
        ds.w    0

        move.l  (a0),d0
        move.l  #$00800000,d1
        bsr     check
        dc.b    "tas sets bit 7",0
        ds.w    0

*--------------------------------------------------- byte and word compares
        move.l  #$1234567F,d2
        cmp.b   #$80,d2                 ; $7F - $80 overflows a byte
        move.w  ccr,d0
        andi.l  #$1F,d0
        moveq   #CC_N+CC_V+CC_C,d1
        bsr     check
        dc.b    "cmp.b #imm sets N V C",0
        ds.w    0

        move.l  #$FFFF0001,d3
        move.l  #$00000001,d2
        cmp.w   d3,d2                   ; the upper words differ, the words do not
        move.w  ccr,d0
        andi.l  #$1F,d0
        moveq   #CC_Z,d1
        bsr     check
        dc.b    "cmp.w compares words only",0
        ds.w    0

        movea.l #$FFFFFFFE,a0
        cmpa.w  #-2,a0                  ; the word is sign-extended
        move.w  ccr,d0
        andi.l  #CC_Z,d0
        moveq   #CC_Z,d1
        bsr     check
        dc.b    "cmpa.w sign-extends",0
        ds.w    0

        moveq   #2,d2
        cmpi.w  #3,d2
        move.w  ccr,d0
        andi.l  #$1F,d0
        moveq   #CC_N+CC_C,d1
        bsr     check
        dc.b    "cmpi.w",0
        ds.w    0

*--------------------------------------------- immediate to d16(An) stores
        lea     scratch,a0
        clr.l   4(a0)
        move.b  #$5A,5(a0)
        move.w  #$1234,6(a0)
        move.l  4(a0),d0
        move.l  #$005A1234,d1
        bsr     check
        dc.b    "move.b and move.w #imm,d16(An)",0
        ds.w    0

*------------------------------------------------------------- long branches
        moveq   #0,d0
        bra.l   .far
        moveq   #1,d0
.far:   moveq   #0,d1
        bsr     check
        dc.b    "bra.l",0
        ds.w    0

        moveq   #0,d2
        bsr     branches_l
        move.l  #%101010101010101,d1
        bsr     check
        dc.b    "b<cc>.l with no flag set",0
        ds.w    0
        moveq   #CC_C,d2
        bsr     branches_l
        move.l  #%101010101011010,d1
        bsr     check
        dc.b    "b<cc>.l with C set",0
        ds.w    0
        moveq   #CC_V,d2
        bsr     branches_l
        move.l  #%110100110010101,d1
        bsr     check
        dc.b    "b<cc>.l with V set",0
        ds.w    0
        moveq   #CC_Z,d2
        bsr     branches_l
        move.l  #%110010101100110,d1
        bsr     check
        dc.b    "b<cc>.l with Z set",0
        ds.w    0
        moveq   #CC_N,d2
        bsr     branches_l
        move.l  #%110101001010101,d1
        bsr     check
        dc.b    "b<cc>.l with N set",0
        ds.w    0
        moveq   #CC_N+CC_V,d2
        bsr     branches_l
        move.l  #%101011010010101,d1
        bsr     check
        dc.b    "b<cc>.l with N V set",0
        ds.w    0
        moveq   #CC_N+CC_Z,d2
        bsr     branches_l
        move.l  #%110101001100110,d1
        bsr     check
        dc.b    "b<cc>.l with N Z set",0
        ds.w    0
        moveq   #CC_Z+CC_C,d2
        bsr     branches_l
        move.l  #%110010101101010,d1
        bsr     check
        dc.b    "b<cc>.l with Z C set",0
        ds.w    0

*------------------------------------------------------------- user stack
        lea     $12340,a0
        move.l  a0,usp
        move.l  usp,a1
        move.l  a1,d0
        move.l  #$12340,d1
        bsr     check
        dc.b    "move to and from usp",0
        ds.w    0

*------------------------------------------------------------ floating point
        moveq   #7,d2
        fmove.l d2,fp0
        fadd.d  two_and_half(pc),fp0    ; 9.5
        fmul.d  two_and_half(pc),fp0    ; 23.75
        fmove.l fp0,d0                  ; rounded to nearest: 24
        moveq   #24,d1
        bsr     check
        dc.b    "fmove.l fadd.d fmul.d",0
        ds.w    0

        lea     scratch,a0
        fmove.d fp0,(a0)
        move.l  (a0),d0
        move.l  #$4037C000,d1           ; 23.75 = 1.484375 * 2^4
        bsr     check
        dc.b    "fmove.d to memory",0
        ds.w    0

        moveq   #-3,d2                  ; the FPU takes no immediate operands
        fmove.l d2,fp1
        fdiv.d  fp1,fp0                 ; -7.9166...
        fcmp.d  two_and_half(pc),fp0
        moveq   #0,d0
        fblt    .less
        moveq   #1,d0
.less:  moveq   #0,d1
        bsr     check
        dc.b    "fdiv.d fcmp.d fblt",0
        ds.w    0

        move.l  #$8000,d0               ; 0.5 radians in units of 2^-16
        bsr     sine_q                  ; from the floating-point example
        move.l  #31420,d1               ; sin 0.5 = 0.47942554, * 65536, rounded
        bsr     check
        dc.b    "the fpu_poly example: sin 0.5",0
        ds.w    0

        bra     finish

        include fpu_poly.s              ; examples/fpu_poly.s

two_and_half:
        dc.d    2.5

* branches_l: d2 holds the CCR to test; bit i of d0 is set when condition i
* (hi ls cc cs ne eq vc vs pl mi ge lt gt le) branches, bit 14 when bra does.
branches_l:
        moveq   #0,d0
        move.w  d2,ccr
        bhi.l   .t0
        bra.l   .n0
.t0:	bset    #0,d0
.n0:
        move.w  d2,ccr
        bls.l   .t1
        bra.l   .n1
.t1:	bset    #1,d0
.n1:
        move.w  d2,ccr
        bcc.l   .t2
        bra.l   .n2
.t2:	bset    #2,d0
.n2:
        move.w  d2,ccr
        bcs.l   .t3
        bra.l   .n3
.t3:	bset    #3,d0
.n3:
        move.w  d2,ccr
        bne.l   .t4
        bra.l   .n4
.t4:	bset    #4,d0
.n4:
        move.w  d2,ccr
        beq.l   .t5
        bra.l   .n5
.t5:	bset    #5,d0
.n5:
        move.w  d2,ccr
        bvc.l   .t6
        bra.l   .n6
.t6:	bset    #6,d0
.n6:
        move.w  d2,ccr
        bvs.l   .t7
        bra.l   .n7
.t7:	bset    #7,d0
.n7:
        move.w  d2,ccr
        bpl.l   .t8
        bra.l   .n8
.t8:	bset    #8,d0
.n8:
        move.w  d2,ccr
        bmi.l   .t9
        bra.l   .n9
.t9:	bset    #9,d0
.n9:
        move.w  d2,ccr
        bge.l   .t10
        bra.l   .n10
.t10:	bset    #10,d0
.n10:
        move.w  d2,ccr
        blt.l   .t11
        bra.l   .n11
.t11:	bset    #11,d0
.n11:
        move.w  d2,ccr
        bgt.l   .t12
        bra.l   .n12
.t12:	bset    #12,d0
.n12:
        move.w  d2,ccr
        ble.l   .t13
        bra.l   .n13
.t13:	bset    #13,d0
.n13:
        move.w  d2,ccr
        bra.l   .t14
        rts
.t14:	bset    #14,d0
        rts

* The data section follows the code in a binary image.
        ds.l    0
code_end:

        section data
        org     code_end
halves: dc.w    $FFFE,-2

        section bss
        org     $40200000
scratch:
        ds.l    4
