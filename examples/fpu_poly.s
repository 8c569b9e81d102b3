* fpu_poly.s - evaluate a polynomial with the floating-point unit of a 5485.
*
*   tobra -l fpu_poly.s             S-records in fpu_poly.o, with a listing
*
* Horner's rule: p(x) = (((c[n]*x + c[n-1])*x + ...)*x + c[0]), one multiply
* and one add per coefficient, in double precision. The ColdFire FPU takes
* no immediate or absolute memory operands, so the coefficients are read
* through an address register.

        cpu     5485

        section code

* poly: fp0 = x, a0 = coefficients, highest power first, d0 = degree (1 or more).
* Returns p(x) in fp0. Uses fp1, d0 and a0.
poly:   fmove.d (a0)+,fp1               ; c[n]
.term:  fmul.d  fp0,fp1                 ; * x
        fadd.d  (a0)+,fp1               ; + the next coefficient
        subq.l  #1,d0
        bne.s   .term
        fmove.d fp1,fp0
        rts

* sine_q: sin(x) for |x| <= pi/4 from an integer angle in d0, in units of
* 2^-16 radians; the result is returned the same way in d0.
sine_q: fmove.l d0,fp0                  ; the integer, exactly
        fdiv.d  scale(pc),fp0           ; to radians
        fmove.d fp0,fp2                 ; keep x
        fmul.d  fp0,fp0                 ; the series is in x*x
        lea     sine_coeffs(pc),a0
        moveq   #3,d0
        bsr.s   poly
        fmul.d  fp2,fp0                 ; * x
        fmul.d  scale(pc),fp0
        fmove.l fp0,d0                  ; rounded to the nearest integer
        rts

* sin(x)/x ~ 1 - x^2/6 + x^4/120 - x^6/5040, highest power first
sine_coeffs:
        dc.d    -1.984126984126984e-4
        dc.d    8.333333333333333e-3
        dc.d    -0.1666666666666667
        dc.d    1.0
scale:  dc.d    65536.0
