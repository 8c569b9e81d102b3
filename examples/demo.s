* A first program: two passes, one S-record file.
start:  nop
loop:   nop
        rts
