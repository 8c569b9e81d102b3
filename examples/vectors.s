* vectors.s - the exception vector table and reset code of a 5282 in flash.
*
*   tobra -b vectors.s              a raw image for address 0
*
* The table has 256 long entries: the stack pointer and the program counter
* the core loads at reset, then one handler address per exception, trap and
* interrupt. A program whose code is linked elsewhere points the vector base
* register (movec ..,vbr) at its own copy.

        cpu     5282
        org     $00000000

SRAM_TOP equ    $20010000               ; the internal SRAM ends here: stack

vectors:
        dc.l    SRAM_TOP                ;  0 initial stack pointer
        dc.l    reset                   ;  1 initial program counter
        dc.l    access_error            ;  2
        dc.l    address_error           ;  3
        dc.l    illegal                 ;  4 illegal instruction
        dc.l    divide_by_zero          ;  5
        dc.l    stray,stray             ;  6-7 reserved
        dc.l    privilege               ;  8 privilege violation
        dc.l    trace                   ;  9
        dc.l    illegal,illegal         ; 10-11 line A and line F opcodes
        dc.l    stray                   ; 12 non-PC breakpoint
        dc.l    stray                   ; 13 PC breakpoint
        dc.l    format_error            ; 14
        dc.l    stray                   ; 15 uninitialised interrupt
        dc.l    stray,stray,stray,stray,stray,stray,stray,stray ; 16-23 reserved
        dc.l    stray                   ; 24 spurious interrupt
        dc.l    stray,stray,stray,stray,stray,stray,stray ; 25-31 autovectors
        dc.l    syscall                 ; 32 trap #0
        dc.l    stray,stray,stray,stray,stray,stray,stray,stray ; 33-40 trap #1-#8
        dc.l    stray,stray,stray,stray,stray,stray,stray ; 41-47 trap #9-#15
        dc.l    stray,stray,stray,stray,stray,stray,stray,stray ; 48-55 reserved
        dc.l    stray,stray,stray,stray,stray,stray,stray,stray ; 56-63 reserved
* 64-255: the interrupt controllers' sources. Point the ones you enable at
* their handlers; the others stay on stray.
        dc.l    stray,stray,stray,stray,stray,stray,stray,stray ; 64-71
        dc.l    stray,stray,stray,stray,stray,uart0_irq,stray,stray ; 72-79: 77 is UART0
        dc.l    stray,stray,stray,stray,stray,stray,stray,stray ; 80-87
        dc.l    stray,stray,stray,stray,stray,stray,stray,stray ; 88-95
        dc.l    stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray ; 96-111
        dc.l    stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray ; 112-127
        dc.l    stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray ; 128-143
        dc.l    stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray ; 144-159
        dc.l    stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray ; 160-175
        dc.l    stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray ; 176-191
        dc.l    stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray ; 192-207
        dc.l    stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray ; 208-223
        dc.l    stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray ; 224-239
        dc.l    stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray,stray ; 240-255
VECTOR_BYTES equ *-vectors              ; 1024

* reset: the core starts here in supervisor mode with interrupts masked.
reset:  move.w  #$2700,sr
        moveq   #0,d0
        movec   d0,vbr                  ; the table above
        lea     SRAM_TOP,sp
        move.w  #$2000,sr               ; let interrupts in
main:   trap    #0                      ; a system call
        bra.s   main

syscall:
        rte

uart0_irq:
        rte

* Faults the program cannot recover from stop here; a debugger shows which.
access_error:
address_error:
illegal:
divide_by_zero:
privilege:
trace:
format_error:
stray:  halt
        bra.s   stray
