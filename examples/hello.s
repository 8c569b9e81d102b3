* hello.s - prints a greeting on the serial line of an MCF5208EVB-style board.
*
*   tobra -b hello.s
*   qemu-system-m68k -M mcf5208evb -display none -serial stdio -monitor none -kernel hello.o
*
* The raw image is loaded at $40000000 and started there.

        cpu     5208
        org     $40000000

UART0   equ     $FC060000               ; UART0 register block
USR     equ     4                       ; status register
UCR     equ     8                       ; command register
UTB     equ     12                      ; transmit buffer
TXRDY   equ     2                       ; status bit: transmitter ready

start:  lea     UART0,a0
        moveq   #4,d0                   ; enable the transmitter
        move.b  d0,UCR(a0)
        lea     message(pc),a1
        bsr     puts
idle:   bra     idle                    ; nothing left to do

* puts: send the NUL-terminated text at a1 through the UART at a0
puts:   move.b  (a1)+,d0
        beq     .done
.wait:  move.b  USR(a0),d1
        btst    #TXRDY,d1
        beq     .wait
        move.b  d0,UTB(a0)
        bra     puts
.done:  rts

message:
        dc.b    "Hello from tobra on ColdFire!",13,10,0
