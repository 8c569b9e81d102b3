* module.s - a relocatable module: code, data and bss sections, a routine the
* rest of the program calls and routines it calls in turn.
*
*   tobra -o module.s               object file module.o
*   tobra-dump module.o             what the linker will see
*
* An object file has no fixed addresses, so there is no org here: every
* section starts at 0 and the linker places it. References to the other
* sections and to external names are recorded for the linker to patch.

        idnt    module
        cpu     5282

        xref    uart_putc               ; the board support code sends a byte (d0)
        xref    uart_flush
        xdef    count_event             ; called by the rest of the program
        xdef    event_count             ; read by it

        section code

* count_event: count one event and report the new total as "events: n".
count_event:
        addq.l  #1,event_count          ; a long reference into data: relocated
        lea     label_text,a0
        bsr     put_text
        move.l  event_count,d0
        lea     digits_end,a0           ; digits are built backwards in bss
        clr.b   -(a0)
        moveq   #10,d2
.digit: remu.l  d2,d1:d0                ; the last digit
        divu.l  d2,d0                   ; and the rest
        addi.l  #'0',d1
        move.b  d1,-(a0)
        tst.l   d0
        bne.s   .digit
        bsr     put_text
        moveq   #10,d0
        jsr     uart_putc               ; an external reference
        jmp     uart_flush

* put_text: send the NUL-terminated text at a0.
put_text:
        move.b  (a0)+,d0
        beq.s   .done
        jsr     uart_putc
        bra.s   put_text
.done:  rts

        section data
event_count:
        dc.l    0
label_text:
        dc.b    "events: ",0

        section bss
digits: ds.b    11                      ; up to ten digits and the NUL
digits_end:
