* macros.s - a vector table and a register initialisation table built by
* macros and repeat blocks, run on the emulated MCF5208EVB board.
*
*   tobra -b macros.s
*   qemu-system-m68k -M mcf5208evb -display none -serial stdio -monitor none -kernel macros.o
*
* The raw image is loaded at $40000000 and started at its first byte, which is
* also the vector table: the vector base register wants a 1 MB boundary.

        cpu     5208
        org     $40000000

UART0   equ     $FC060000               ; UART0 register block
UMR     equ     0                       ; mode registers 1 and 2, in turn
USR     equ     4                       ; status (read)
UCSR    equ     4                       ; clock select (write)
UCR     equ     8                       ; command
UTB     equ     12                      ; transmit buffer
TXRDY   equ     2                       ; status bit: transmitter ready
STACK   equ     $40800000               ; top of the first 8 MB of SDRAM
UART0_VECTOR equ 90                     ; interrupt source 26 of controller 0

* ---------------------------------------------------------------------------
* Macros

* vec handler[,count]: one vector, or count vectors to the same handler.
vec     macro
        ifc     '\2',''
        dc.l    \1
        else
        dcb.l   \2,\1
        endc
        endm

* reg.b|.w|.l address,value: one entry of a register table, replayed by
* init_registers: the size letter, a pad byte, the address, the value.
reg     macro
        dc.b    '\0',0
        dc.l    \1,\2
        endm

* print 'text'[,more bytes]: sends one line on UART0.
print   macro
        lea     .t\@(pc),a1
        bsr     puts
        bra.s   .e\@
.t\@    dc.b    \1,13,10,0
        ds.w    0
.e\@
        endm

* check value,expected,name: prints "ok name", or "FAIL name" and stops.
check   macro
        move.l  \1,d0
        cmpi.l  #\2,d0
        beq.s   .ok\@
        print   <'FAIL \3'>
        bra     halt
.ok\@   print   <'ok \3'>
        endm

* ---------------------------------------------------------------------------
* The vector table. Entries 0 and 1 are only read at reset, so they hold a
* branch to the program.

vectors:
        bra.w   reset                   ;  0-1
        dc.l    reset
        vec     fault,14                ;  2-15 errors, traces, breakpoints
        vec     stray,16                ; 16-31 reserved, spurious, autovectors
        vec     syscall                 ; 32 trap #0
        vec     stray,31                ; 33-63 trap #1-#15, reserved
* 64-255: the interrupt sources, each to stray except the UART's.
n       set     64
        rept    192
        ifeq    n-UART0_VECTOR
        vec     uart_irq
        else
        vec     stray
        endc
n       set     n+1
        endr
VECTOR_BYTES equ *-vectors              ; 1024

* The UART set up as a boot monitor would: resets, 8N1, clocks, enable.
uart_table:
        reg.b   UART0+UCR,$20           ; reset the receiver
        reg.b   UART0+UCR,$30           ; reset the transmitter
        reg.b   UART0+UCR,$10           ; mode register pointer to 1
        reg.b   UART0+UMR,$13           ; 8 bits, no parity
        reg.b   UART0+UMR,$07           ; one stop bit
        reg.b   UART0+UCSR,$DD          ; timer clock for both directions
        reg.b   UART0+UCR,$05           ; enable receiver and transmitter
* Two words of scratch memory, so that the word and long forms show.
        reg.w   scratch,$1234
        reg.l   scratch+2,$89ABCDEF
uart_table_end:

* Squares 0..7 by a repeat block and a counter.
squares:
n       set     0
        rept    8
        dc.w    n*n
n       set     n+1
        endr

* ---------------------------------------------------------------------------
* The program

reset:  move.w  #$2700,sr
        lea     STACK,sp
        lea     vectors,a0
        movec   a0,vbr
        lea     uart_table,a0
        lea     uart_table_end,a2
        bsr     init_registers
        print   'macros: vector table and register table set up'

        check   #VECTOR_BYTES,1024,<vector table size>
        moveq   #0,d7
        trap    #0                      ; syscall sets d7
        check   d7,$5C,<trap 0 through the table>
        check   scratch,$123489AB,<register table>

        lea     squares,a0
        moveq   #7,d2
        moveq   #0,d1
.sum:   moveq   #0,d0
        move.w  (a0)+,d0
        add.l   d0,d1
        subq.l  #1,d2
        bhs.s   .sum                    ; d2 went from 0 to -1: done
        check   d1,140,<squares 0-7 add up to 140>

        dcb.w   4,$4E71                 ; four nops, as a filler would be
        print   'PASS'
halt:   bra.s   halt

* init_registers: replays the reg entries from a0 up to a2.
init_registers:
.next:  cmp.l   a2,a0                   ; cmpa
        bhs.s   .done
        moveq   #0,d0
        move.b  (a0)+,d0                ; size letter
        addq.l  #1,a0
        move.l  (a0)+,a1                ; address
        move.l  (a0)+,d1                ; value
        cmpi.l  #'b',d0
        bne.s   .word
        move.b  d1,(a1)
        bra.s   .next
.word:  cmpi.l  #'w',d0
        bne.s   .long
        move.w  d1,(a1)
        bra.s   .next
.long:  move.l  d1,(a1)
        bra.s   .next
.done:  rts

* puts: sends the NUL-terminated text at a1 on UART0.
puts:   lea     UART0,a0
.char:  move.b  (a1)+,d0
        beq.s   .end
.wait:  move.b  USR(a0),d1
        btst    #TXRDY,d1
        beq.s   .wait
        move.b  d0,UTB(a0)
        bra.s   .char
.end:   rts

syscall:
        moveq   #$5C,d7
        rte
fault:  print   'FAIL: exception'
        bra     halt
stray:  print   'FAIL: stray interrupt'
        bra     halt
uart_irq:
        rte

scratch:
        ds.l    2
