* emac_filter.s - the inner loop of an FIR filter on the EMAC unit of a 5249.
*
*   tobra -l emac_filter.s          S-records in emac_filter.o, with a listing
*
* y = c[0]*x[0] + c[1]*x[1] + ... + c[TAPS-1]*x[TAPS-1]
*
* Samples and coefficients are 16-bit fractions (1.15 format) packed two to a
* long, so one long load feeds two multiply-accumulates: the upper halves
* (.u) first, then the lower halves (.l). The second mac of each pair loads
* the next two samples in parallel with the multiply.

        cpu     5249

TAPS    equ     16                      ; an even number of taps

* MACSR mode bits
MACSR_OMC equ   $80                     ; saturate the accumulator on overflow
MACSR_FI  equ   $20                     ; fractional operands
MACSR_RT  equ   $10                     ; round when storing the accumulator

* fir: a0 = samples, a1 = coefficients (both TAPS words, long-aligned).
* Returns the filtered sample in d0 (1.15, rounded and saturated).
* Uses d1-d3 and acc0; a0 and a1 end behind the tables (a0 one long further,
* because the last parallel load runs ahead of the loop).
fir:    move.l  #MACSR_OMC+MACSR_FI+MACSR_RT,d0
        move.l  d0,macsr
        moveq   #0,d0
        move.l  d0,acc0                 ; clear the accumulator
        move.l  (a0)+,d1                ; x[0]:x[1]
        moveq   #TAPS/2-1,d3            ; pairs of taps, counted down to -1
.tap:   move.l  (a1)+,d2                ; c[k]:c[k+1]
        mac.w   d1.u,d2.u,acc0          ; += x[k] * c[k]
        mac.w   d1.l,d2.l,(a0)+,d1,acc0 ; += x[k+1] * c[k+1], load the next pair
        subq.l  #1,d3
        bpl.s   .tap
        move.l  acc0,d0                 ; the 32-bit result, rounded to 16 bits
        swap    d0                      ; the 1.15 sample is in the upper word
        ext.l   d0
        rts

* A 16-tap low-pass filter: symmetric coefficients, 1.15 fractions.
coeffs: dc.w    -$0049,-$00D3,$0000,$0545,$0F5B,$1B6E,$2532,$28F2
        dc.w    $28F2,$2532,$1B6E,$0F5B,$0545,$0000,-$00D3,-$0049
