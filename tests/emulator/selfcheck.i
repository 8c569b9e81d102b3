* selfcheck.i - board constants, record layouts and the check routines shared by
* the self-checking programs. Include it once, after org, before any code runs:
* it starts with a branch over itself to "start".

UART0   equ     $FC060000               ; UART0 of the MCF5208EVB

* The UART's registers are bytes at 4-byte strides.
        structure uart,0
        long    u_mr                    ; mode
        long    u_sr                    ; status (read)
        long    u_cr                    ; command (write)
        long    u_tb                    ; transmit buffer (write)
        label   u_size

TX_ENABLE equ   4                       ; command: enable the transmitter
        bitdef  SR,TXRDY,2              ; status bit: transmit buffer empty

STACK_TOP equ   $40400000               ; 4 MB into the board's SDRAM
VECTORS equ     $40100000               ; exception vectors, built at run time
COUNTERS equ    $40180000               ; checks run and failed

* The CCR bits as move.w ccr,dn shows them.
CC_C    equ     1
CC_V    equ     2
CC_Z    equ     4
CC_N    equ     8
CC_X    equ     16

        bra.w   start

* init: UART, counters, and an exception table whose every entry reports the
* fault and ends the run with FAIL instead of hanging the board. The caller
* sets the stack first: the board starts with none.
init:   lea     UART0,a0
        moveq   #TX_ENABLE,d0
        move.b  d0,u_cr(a0)
        lea     COUNTERS,a0
        clr.l   (a0)+
        clr.l   (a0)
        lea     VECTORS,a0
        move.l  a0,d0
        lea     fault(pc),a1
        move.l  #255,d1
.fill:  move.l  a1,(a0)+
        subq.l  #1,d1
        bpl.s   .fill
        movec   d0,vbr
        rts

* check: compare d0 (result) with d1 (expected) and print "ok <n> <name>" or
* "not ok <n> <name> got <d0> want <d1>". The name is the NUL-terminated text
* that follows the bsr; the routine returns behind it, at the next even address.
* Every register is preserved; the CCR is not.
check:  lea     -32(sp),sp              ; movem has no predecrement form
        movem.l d0-d4/a0-a2,(sp)        ; the return address is at 32(sp)
        move.l  d0,d3
        move.l  d1,d4
        lea     COUNTERS,a2
        addq.l  #1,(a2)
        cmp.l   d3,d4
        beq.s   .pass
        addq.l  #1,4(a2)
        lea     s_not(pc),a1
        bsr     puts
.pass:  lea     s_ok(pc),a1
        bsr     puts
        move.l  (a2),d0
        bsr     putdec
        moveq   #' ',d0
        bsr     putc
        move.l  32(sp),a1
        bsr     puts                    ; leaves a1 behind the NUL
        move.l  a1,d0
        addq.l  #1,d0
        andi.l  #-2,d0
        move.l  d0,32(sp)               ; resume after the name
        cmp.l   d3,d4
        beq.s   .done
        lea     s_got(pc),a1
        bsr     puts
        move.l  d3,d0
        bsr     puthex
        lea     s_want(pc),a1
        bsr     puts
        move.l  d4,d0
        bsr     puthex
.done:  bsr     newline
        movem.l (sp),d0-d4/a0-a2
        lea     32(sp),sp
        rts

* finish: the last line, then park the processor.
finish: lea     COUNTERS,a2
        lea     s_pass(pc),a1
        tst.l   4(a2)
        beq.s   .say
        lea     s_fail(pc),a1
.say:   bsr     puts
        bsr     newline
.park:  bra.s   .park

* fault: any exception. The frame holds the format/vector word and the PC.
fault:  lea     s_fault(pc),a1
        bsr     puts
        move.l  (sp),d0
        moveq   #18,d1
        lsr.l   d1,d0
        andi.l  #$ff,d0
        bsr     putdec
        lea     s_at(pc),a1
        bsr     puts
        move.l  4(sp),d0
        bsr     puthex
        bsr     newline
        lea     COUNTERS,a2
        addq.l  #1,4(a2)
        bra     finish

* putc: send the byte in d0.
putc:   move.l  a0,-(sp)
        move.l  d1,-(sp)
        lea     UART0,a0
.wait:  move.b  u_sr(a0),d1
        btst    #SRB_TXRDY,d1
        beq.s   .wait
        move.b  d0,u_tb(a0)
        move.l  (sp)+,d1
        move.l  (sp)+,a0
        rts

newline:
        moveq   #13,d0
        bsr     putc
        moveq   #10,d0
        bra     putc

* puts: send the NUL-terminated text at a1; a1 ends behind the NUL.
puts:   move.l  d0,-(sp)
.next:  move.b  (a1)+,d0
        beq.s   .end
        bsr     putc
        bra.s   .next
.end:   move.l  (sp)+,d0
        rts

* puthex: d0 as eight hex digits.
puthex: lea     -16(sp),sp
        movem.l d0-d2/a1,(sp)
        move.l  d0,d2
        moveq   #7,d1
        lea     hexdigits(pc),a1
.digit: move.l  d2,d0
        lsr.l   #8,d0                   ; the top nibble: 28 = 8+8+8+4
        lsr.l   #8,d0
        lsr.l   #8,d0
        lsr.l   #4,d0
        move.b  (a1,d0.l),d0
        bsr     putc
        lsl.l   #4,d2
        subq.l  #1,d1
        bpl.s   .digit
        movem.l (sp),d0-d2/a1
        lea     16(sp),sp
        rts

* putdec: d0 (below 655360) in decimal.
putdec: subq.l  #8,sp
        movem.l d0-d1,(sp)
        moveq   #0,d1                   ; digits pushed
.div:   divu.w  #10,d0
        swap    d0
        move.w  d0,-(sp)                ; remainder
        clr.w   d0
        swap    d0
        addq.l  #1,d1
        tst.l   d0
        bne.s   .div
.out:   move.w  (sp)+,d0
        addi.l  #'0',d0
        bsr     putc
        subq.l  #1,d1
        bne.s   .out
        movem.l (sp),d0-d1
        addq.l  #8,sp
        rts

s_ok:   dc.b    "ok ",0
s_not:  dc.b    "not ",0
s_got:  dc.b    " got ",0
s_want: dc.b    " want ",0
s_pass: dc.b    "PASS",0
s_fail: dc.b    "FAIL",0
s_fault:
        dc.b    "not ok exception vector ",0
s_at:   dc.b    " at ",0
hexdigits:
        dc.b    "0123456789ABCDEF"
        ds.w    0
