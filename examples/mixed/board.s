* board.s - start-up code and serial output for the mixed C and assembly
* example. Assembled with tobra --elf -g; linked with the C objects by ld.
*
* Calls C (c_main, and the C routines in asm_ops), and is called from C
* (uart_puts, uart_hex, asm_negate, asm_triple, asm_walk).

        cpu     5208

        xref    c_main                  ; C: the program
        xref    c_double                ; C routines the table below points to
        xref    c_square
        xref    c_ops                   ; C: a table of names and routines

        xdef    _start
        xdef    uart_puts
        xdef    uart_hex
        xdef    asm_negate
        xdef    asm_triple
        xdef    asm_walk
        xdef    asm_ops
        xdef    asm_op_count

UART0   equ     $FC060000               ; UART0 register block
USR     equ     4                       ; status register
UCR     equ     8                       ; command register
UTB     equ     12                      ; transmit buffer
TXRDY   equ     2                       ; status bit: transmitter ready

        section code

_start: move.l  #stack_top,sp
        lea     UART0,a0
        moveq   #4,d0                   ; enable the transmitter
        move.b  d0,UCR(a0)
        pea     hello_text
        jsr     uart_puts
        addq.l  #4,sp
        jsr     c_main                  ; assembly calls C
        pea     done_text
        jsr     uart_puts
        addq.l  #4,sp
idle:   bra.s   idle

* void uart_puts(const char *text)
uart_puts:
        move.l  4(sp),a1
.next:  move.b  (a1)+,d0
        beq.s   .done
        bsr.s   putc
        bra.s   .next
.done:  rts

* putc: send the byte in d0 (keeps every other register)
putc:   move.l  a0,-(sp)
        move.l  d1,-(sp)
        lea     UART0,a0
.wait:  move.b  USR(a0),d1
        btst    #TXRDY,d1
        beq.s   .wait
        move.b  d0,UTB(a0)
        move.l  (sp)+,d1
        move.l  (sp)+,a0
        rts

* void uart_hex(unsigned long value): eight hexadecimal digits
uart_hex:
        move.l  d2,-(sp)
        move.l  8(sp),d1
        moveq   #8,d2
.digit: move.l  d1,d0                   ; the top four bits
        lsr.l   #8,d0
        lsr.l   #8,d0
        lsr.l   #8,d0
        lsr.l   #4,d0
        lsl.l   #4,d1
        lea     hex_digits,a0
        move.b  0(a0,d0.l),d0
        bsr.s   putc
        subq.l  #1,d2
        bne.s   .digit
        move.l  (sp)+,d2
        rts

* int asm_negate(int x), int asm_triple(int x)
asm_negate:
        move.l  4(sp),d0
        neg.l   d0
        rts

asm_triple:
        move.l  4(sp),d0
        move.l  d0,d1
        add.l   d1,d0
        add.l   d1,d0
        addq.l  #1,calls                ; counts in bss
        rts

* void asm_walk(int x): call every routine of the C table c_ops with x and
* print "asm: name(x) = result".
asm_walk:
        lea     -12(sp),sp
        movem.l d2-d3/a2,(sp)
        move.l  16(sp),d3
        lea     c_ops,a2                ; an external data reference
.entry: tst.l   (a2)
        beq.s   .end
        pea     walk_text
        jsr     uart_puts
        move.l  (a2),(sp)               ; the name
        jsr     uart_puts
        pea     open_text
        jsr     uart_puts
        addq.l  #8,sp
        move.l  d3,-(sp)
        move.l  4(a2),a0
        jsr     (a0)                    ; a routine C points to
        move.l  d0,(sp)
        jsr     uart_hex
        pea     crlf_text
        jsr     uart_puts
        addq.l  #8,sp
        addq.l  #8,a2
        bra.s   .entry
.end:   movem.l (sp),d2-d3/a2
        lea     12(sp),sp
        rts

        section data

* Routines for C to call through: two in C, two here.
asm_ops:
        dc.l    c_double
        dc.l    c_square
        dc.l    asm_negate
        dc.l    asm_triple
asm_op_count:
        dc.l    asm_op_count-asm_ops/4  ; left to right: the difference, then /4

hex_digits:
        dc.b    "0123456789ABCDEF"
hello_text:
        dc.b    "mixed: start",13,10,0
done_text:
        dc.b    "DONE",13,10,0
walk_text:
        dc.b    "asm: ",0
open_text:
        dc.b    "(5) = ",0
crlf_text:
        dc.b    13,10,0

        section bss
calls:  ds.l    1
        ds.b    1024
stack_top:
