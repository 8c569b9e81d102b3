# What GNU assembler (GNU Binutils for Debian) 2.40 makes of each form of fpu.txt
# on each core the form runs on. Written by XCHECK_RECORD=1; format in xcheck_data.h.
fadd.d fp1,fp2 | f200 0522
fadd.d fp7,fp0 | f200 1c22
fadd.s d0,fp3 | f200 45a2
fadd.s (a0),fp3 | f210 45a2
fadd.d (a0)+,fp3 | f218 55a2
fadd.d -(a0),fp3 | f220 55a2
fadd.s 8(a0),fp3 | f228 45a2 0008
fadd.d -8(a6),fp5 | f22e 56a2 fff8
fadd.l d0,fp3 | f200 41a2
fadd.w d0,fp3 | f200 51a2
fadd.b d0,fp3 | f200 59a2
fadd.l (a0),fp3 | f210 41a2
fadd.w 8(a0),fp3 | f228 51a2 0008
fadd.b (a0)+,fp3 | f218 59a2
fadd.l (a0),fp3 | f210 41a2
fadd.l d0,fp3 | f200 41a2
f1: fadd.d f1(pc),fp2 | f23a 5522 fffc
fsadd.d fp1,fp2 | f200 0562
fsadd.d fp7,fp0 | f200 1c62
fsadd.s d0,fp3 | f200 45e2
fsadd.s (a0),fp3 | f210 45e2
fsadd.d (a0)+,fp3 | f218 55e2
fsadd.d -(a0),fp3 | f220 55e2
fsadd.s 8(a0),fp3 | f228 45e2 0008
fsadd.d -8(a6),fp5 | f22e 56e2 fff8
fsadd.l d0,fp3 | f200 41e2
fsadd.w d0,fp3 | f200 51e2
fsadd.b d0,fp3 | f200 59e2
fsadd.l (a0),fp3 | f210 41e2
fsadd.w 8(a0),fp3 | f228 51e2 0008
fsadd.b (a0)+,fp3 | f218 59e2
fsadd.l (a0),fp3 | f210 41e2
fsadd.l d0,fp3 | f200 41e2
f2: fsadd.d f2(pc),fp2 | f23a 5562 fffc
fdadd.d fp1,fp2 | f200 0566
fdadd.d fp7,fp0 | f200 1c66
fdadd.s d0,fp3 | f200 45e6
fdadd.s (a0),fp3 | f210 45e6
fdadd.d (a0)+,fp3 | f218 55e6
fdadd.d -(a0),fp3 | f220 55e6
fdadd.s 8(a0),fp3 | f228 45e6 0008
fdadd.d -8(a6),fp5 | f22e 56e6 fff8
fdadd.l d0,fp3 | f200 41e6
fdadd.w d0,fp3 | f200 51e6
fdadd.b d0,fp3 | f200 59e6
fdadd.l (a0),fp3 | f210 41e6
fdadd.w 8(a0),fp3 | f228 51e6 0008
fdadd.b (a0)+,fp3 | f218 59e6
fdadd.l (a0),fp3 | f210 41e6
fdadd.l d0,fp3 | f200 41e6
f3: fdadd.d f3(pc),fp2 | f23a 5566 fffc
fsub.d fp1,fp2 | f200 0528
fsub.d fp7,fp0 | f200 1c28
fsub.s d0,fp3 | f200 45a8
fsub.s (a0),fp3 | f210 45a8
fsub.d (a0)+,fp3 | f218 55a8
fsub.d -(a0),fp3 | f220 55a8
fsub.s 8(a0),fp3 | f228 45a8 0008
fsub.d -8(a6),fp5 | f22e 56a8 fff8
fsub.l d0,fp3 | f200 41a8
fsub.w d0,fp3 | f200 51a8
fsub.b d0,fp3 | f200 59a8
fsub.l (a0),fp3 | f210 41a8
fsub.w 8(a0),fp3 | f228 51a8 0008
fsub.b (a0)+,fp3 | f218 59a8
fsub.l (a0),fp3 | f210 41a8
fsub.l d0,fp3 | f200 41a8
f4: fsub.d f4(pc),fp2 | f23a 5528 fffc
fssub.d fp1,fp2 | f200 0568
fssub.d fp7,fp0 | f200 1c68
fssub.s d0,fp3 | f200 45e8
fssub.s (a0),fp3 | f210 45e8
fssub.d (a0)+,fp3 | f218 55e8
fssub.d -(a0),fp3 | f220 55e8
fssub.s 8(a0),fp3 | f228 45e8 0008
fssub.d -8(a6),fp5 | f22e 56e8 fff8
fssub.l d0,fp3 | f200 41e8
fssub.w d0,fp3 | f200 51e8
fssub.b d0,fp3 | f200 59e8
fssub.l (a0),fp3 | f210 41e8
fssub.w 8(a0),fp3 | f228 51e8 0008
fssub.b (a0)+,fp3 | f218 59e8
fssub.l (a0),fp3 | f210 41e8
fssub.l d0,fp3 | f200 41e8
f5: fssub.d f5(pc),fp2 | f23a 5568 fffc
fdsub.d fp1,fp2 | f200 056c
fdsub.d fp7,fp0 | f200 1c6c
fdsub.s d0,fp3 | f200 45ec
fdsub.s (a0),fp3 | f210 45ec
fdsub.d (a0)+,fp3 | f218 55ec
fdsub.d -(a0),fp3 | f220 55ec
fdsub.s 8(a0),fp3 | f228 45ec 0008
fdsub.d -8(a6),fp5 | f22e 56ec fff8
fdsub.l d0,fp3 | f200 41ec
fdsub.w d0,fp3 | f200 51ec
fdsub.b d0,fp3 | f200 59ec
fdsub.l (a0),fp3 | f210 41ec
fdsub.w 8(a0),fp3 | f228 51ec 0008
fdsub.b (a0)+,fp3 | f218 59ec
fdsub.l (a0),fp3 | f210 41ec
fdsub.l d0,fp3 | f200 41ec
f6: fdsub.d f6(pc),fp2 | f23a 556c fffc
fmul.d fp1,fp2 | f200 0523
fmul.d fp7,fp0 | f200 1c23
fmul.s d0,fp3 | f200 45a3
fmul.s (a0),fp3 | f210 45a3
fmul.d (a0)+,fp3 | f218 55a3
fmul.d -(a0),fp3 | f220 55a3
fmul.s 8(a0),fp3 | f228 45a3 0008
fmul.d -8(a6),fp5 | f22e 56a3 fff8
fmul.l d0,fp3 | f200 41a3
fmul.w d0,fp3 | f200 51a3
fmul.b d0,fp3 | f200 59a3
fmul.l (a0),fp3 | f210 41a3
fmul.w 8(a0),fp3 | f228 51a3 0008
fmul.b (a0)+,fp3 | f218 59a3
fmul.l (a0),fp3 | f210 41a3
fmul.l d0,fp3 | f200 41a3
f7: fmul.d f7(pc),fp2 | f23a 5523 fffc
fsmul.d fp1,fp2 | f200 0563
fsmul.d fp7,fp0 | f200 1c63
fsmul.s d0,fp3 | f200 45e3
fsmul.s (a0),fp3 | f210 45e3
fsmul.d (a0)+,fp3 | f218 55e3
fsmul.d -(a0),fp3 | f220 55e3
fsmul.s 8(a0),fp3 | f228 45e3 0008
fsmul.d -8(a6),fp5 | f22e 56e3 fff8
fsmul.l d0,fp3 | f200 41e3
fsmul.w d0,fp3 | f200 51e3
fsmul.b d0,fp3 | f200 59e3
fsmul.l (a0),fp3 | f210 41e3
fsmul.w 8(a0),fp3 | f228 51e3 0008
fsmul.b (a0)+,fp3 | f218 59e3
fsmul.l (a0),fp3 | f210 41e3
fsmul.l d0,fp3 | f200 41e3
f8: fsmul.d f8(pc),fp2 | f23a 5563 fffc
fdmul.d fp1,fp2 | f200 0567
fdmul.d fp7,fp0 | f200 1c67
fdmul.s d0,fp3 | f200 45e7
fdmul.s (a0),fp3 | f210 45e7
fdmul.d (a0)+,fp3 | f218 55e7
fdmul.d -(a0),fp3 | f220 55e7
fdmul.s 8(a0),fp3 | f228 45e7 0008
fdmul.d -8(a6),fp5 | f22e 56e7 fff8
fdmul.l d0,fp3 | f200 41e7
fdmul.w d0,fp3 | f200 51e7
fdmul.b d0,fp3 | f200 59e7
fdmul.l (a0),fp3 | f210 41e7
fdmul.w 8(a0),fp3 | f228 51e7 0008
fdmul.b (a0)+,fp3 | f218 59e7
fdmul.l (a0),fp3 | f210 41e7
fdmul.l d0,fp3 | f200 41e7
f9: fdmul.d f9(pc),fp2 | f23a 5567 fffc
fdiv.d fp1,fp2 | f200 0520
fdiv.d fp7,fp0 | f200 1c20
fdiv.s d0,fp3 | f200 45a0
fdiv.s (a0),fp3 | f210 45a0
fdiv.d (a0)+,fp3 | f218 55a0
fdiv.d -(a0),fp3 | f220 55a0
fdiv.s 8(a0),fp3 | f228 45a0 0008
fdiv.d -8(a6),fp5 | f22e 56a0 fff8
fdiv.b d0,fp3 | f200 59a0
fdiv.w d0,fp3 | f200 51a0
fdiv.l d0,fp3 | f200 41a0
f10: fdiv.d f10(pc),fp2 | f23a 5520 fffc
fsdiv.d fp1,fp2 | f200 0560
fsdiv.d fp7,fp0 | f200 1c60
fsdiv.s d0,fp3 | f200 45e0
fsdiv.s (a0),fp3 | f210 45e0
fsdiv.d (a0)+,fp3 | f218 55e0
fsdiv.d -(a0),fp3 | f220 55e0
fsdiv.s 8(a0),fp3 | f228 45e0 0008
fsdiv.d -8(a6),fp5 | f22e 56e0 fff8
fsdiv.b d0,fp3 | f200 59e0
fsdiv.w d0,fp3 | f200 51e0
fsdiv.l d0,fp3 | f200 41e0
f11: fsdiv.d f11(pc),fp2 | f23a 5560 fffc
fddiv.d fp1,fp2 | f200 0564
fddiv.d fp7,fp0 | f200 1c64
fddiv.s d0,fp3 | f200 45e4
fddiv.s (a0),fp3 | f210 45e4
fddiv.d (a0)+,fp3 | f218 55e4
fddiv.d -(a0),fp3 | f220 55e4
fddiv.s 8(a0),fp3 | f228 45e4 0008
fddiv.d -8(a6),fp5 | f22e 56e4 fff8
fddiv.b d0,fp3 | f200 59e4
fddiv.w d0,fp3 | f200 51e4
fddiv.l d0,fp3 | f200 41e4
f12: fddiv.d f12(pc),fp2 | f23a 5564 fffc
fcmp.d fp1,fp2 | f200 0538
fcmp.d fp7,fp0 | f200 1c38
fcmp.s d0,fp3 | f200 45b8
fcmp.s (a0),fp3 | f210 45b8
fcmp.d (a0)+,fp3 | f218 55b8
fcmp.d -(a0),fp3 | f220 55b8
fcmp.s 8(a0),fp3 | f228 45b8 0008
fcmp.d -8(a6),fp5 | f22e 56b8 fff8
fcmp.l d0,fp3 | f200 41b8
fcmp.w d0,fp3 | f200 51b8
fcmp.b d0,fp3 | f200 59b8
fcmp.l (a0),fp3 | f210 41b8
fcmp.w 8(a0),fp3 | f228 51b8 0008
fcmp.b (a0)+,fp3 | f218 59b8
fcmp.l (a0),fp3 | f210 41b8
fcmp.l d0,fp3 | f200 41b8
f13: fcmp.d f13(pc),fp2 | f23a 5538 fffc
fmove.d fp1,fp2 | f200 0500
fmove.d fp7,fp0 | f200 1c00
fmove.s d0,fp3 | f200 4580
fmove.s (a0),fp3 | f210 4580
fmove.d (a0)+,fp3 | f218 5580
fmove.d -(a0),fp3 | f220 5580
fmove.s 8(a0),fp3 | f228 4580 0008
fmove.d -8(a6),fp5 | f22e 5680 fff8
fmove.l d0,fp3 | f200 4180
fmove.w d0,fp3 | f200 5180
fmove.b d0,fp3 | f200 5980
fmove.l (a0),fp3 | f210 4180
fmove.w 8(a0),fp3 | f228 5180 0008
fmove.b (a0)+,fp3 | f218 5980
fmove.l (a0),fp3 | f210 4180
fmove.l d0,fp3 | f200 4180
f14: fmove.d f14(pc),fp2 | f23a 5500 fffc
fsmove.d fp1,fp2 | f200 0540
fsmove.d fp7,fp0 | f200 1c40
fsmove.s d0,fp3 | f200 45c0
fsmove.s (a0),fp3 | f210 45c0
fsmove.d (a0)+,fp3 | f218 55c0
fsmove.d -(a0),fp3 | f220 55c0
fsmove.s 8(a0),fp3 | f228 45c0 0008
fsmove.d -8(a6),fp5 | f22e 56c0 fff8
fsmove.l d0,fp3 | f200 41c0
fsmove.w d0,fp3 | f200 51c0
fsmove.b d0,fp3 | f200 59c0
fsmove.l (a0),fp3 | f210 41c0
fsmove.w 8(a0),fp3 | f228 51c0 0008
fsmove.b (a0)+,fp3 | f218 59c0
fsmove.l (a0),fp3 | f210 41c0
fsmove.l d0,fp3 | f200 41c0
f15: fsmove.d f15(pc),fp2 | f23a 5540 fffc
fdmove.d fp1,fp2 | f200 0544
fdmove.d fp7,fp0 | f200 1c44
fdmove.s d0,fp3 | f200 45c4
fdmove.s (a0),fp3 | f210 45c4
fdmove.d (a0)+,fp3 | f218 55c4
fdmove.d -(a0),fp3 | f220 55c4
fdmove.s 8(a0),fp3 | f228 45c4 0008
fdmove.d -8(a6),fp5 | f22e 56c4 fff8
fdmove.l d0,fp3 | f200 41c4
fdmove.w d0,fp3 | f200 51c4
fdmove.b d0,fp3 | f200 59c4
fdmove.l (a0),fp3 | f210 41c4
fdmove.w 8(a0),fp3 | f228 51c4 0008
fdmove.b (a0)+,fp3 | f218 59c4
fdmove.l (a0),fp3 | f210 41c4
fdmove.l d0,fp3 | f200 41c4
f16: fdmove.d f16(pc),fp2 | f23a 5544 fffc
fint.d fp1,fp2 | f200 0501
fint.d fp7,fp0 | f200 1c01
fint.d fp4 | f200 1201
fint.s d0,fp3 | f200 4581
fint.s (a0),fp3 | f210 4581
fint.d (a0)+,fp3 | f218 5581
fint.d -(a0),fp3 | f220 5581
fint.s 8(a0),fp3 | f228 4581 0008
fint.d -8(a6),fp5 | f22e 5681 fff8
fint.l d0,fp3 | f200 4181
fint.w d0,fp3 | f200 5181
fint.b d0,fp3 | f200 5981
fint.l (a0),fp3 | f210 4181
fint.w 8(a0),fp3 | f228 5181 0008
fint.b (a0)+,fp3 | f218 5981
fint.l (a0),fp3 | f210 4181
fint.l d0,fp3 | f200 4181
f17: fint.d f17(pc),fp2 | f23a 5501 fffc
fintrz.d fp1,fp2 | f200 0503
fintrz.d fp7,fp0 | f200 1c03
fintrz.d fp4 | f200 1203
fintrz.s d0,fp3 | f200 4583
fintrz.s (a0),fp3 | f210 4583
fintrz.d (a0)+,fp3 | f218 5583
fintrz.d -(a0),fp3 | f220 5583
fintrz.s 8(a0),fp3 | f228 4583 0008
fintrz.d -8(a6),fp5 | f22e 5683 fff8
fintrz.l d0,fp3 | f200 4183
fintrz.w d0,fp3 | f200 5183
fintrz.b d0,fp3 | f200 5983
fintrz.l (a0),fp3 | f210 4183
fintrz.w 8(a0),fp3 | f228 5183 0008
fintrz.b (a0)+,fp3 | f218 5983
fintrz.l (a0),fp3 | f210 4183
fintrz.l d0,fp3 | f200 4183
f18: fintrz.d f18(pc),fp2 | f23a 5503 fffc
fsqrt.d fp1,fp2 | f200 0504
fsqrt.d fp7,fp0 | f200 1c04
fsqrt.d fp4 | f200 1204
fsqrt.s d0,fp3 | f200 4584
fsqrt.s (a0),fp3 | f210 4584
fsqrt.d (a0)+,fp3 | f218 5584
fsqrt.d -(a0),fp3 | f220 5584
fsqrt.s 8(a0),fp3 | f228 4584 0008
fsqrt.d -8(a6),fp5 | f22e 5684 fff8
fsqrt.l d0,fp3 | f200 4184
fsqrt.w d0,fp3 | f200 5184
fsqrt.b d0,fp3 | f200 5984
fsqrt.l (a0),fp3 | f210 4184
fsqrt.w 8(a0),fp3 | f228 5184 0008
fsqrt.b (a0)+,fp3 | f218 5984
fsqrt.l (a0),fp3 | f210 4184
fsqrt.l d0,fp3 | f200 4184
f19: fsqrt.d f19(pc),fp2 | f23a 5504 fffc
fssqrt.d fp1,fp2 | f200 0541
fssqrt.d fp7,fp0 | f200 1c41
fssqrt.d fp4 | f200 1241
fssqrt.s d0,fp3 | f200 45c1
fssqrt.s (a0),fp3 | f210 45c1
fssqrt.d (a0)+,fp3 | f218 55c1
fssqrt.d -(a0),fp3 | f220 55c1
fssqrt.s 8(a0),fp3 | f228 45c1 0008
fssqrt.d -8(a6),fp5 | f22e 56c1 fff8
fssqrt.l d0,fp3 | f200 41c1
fssqrt.w d0,fp3 | f200 51c1
fssqrt.b d0,fp3 | f200 59c1
fssqrt.l (a0),fp3 | f210 41c1
fssqrt.w 8(a0),fp3 | f228 51c1 0008
fssqrt.b (a0)+,fp3 | f218 59c1
fssqrt.l (a0),fp3 | f210 41c1
fssqrt.l d0,fp3 | f200 41c1
f20: fssqrt.d f20(pc),fp2 | f23a 5541 fffc
fdsqrt.d fp1,fp2 | f200 0545
fdsqrt.d fp7,fp0 | f200 1c45
fdsqrt.d fp4 | f200 1245
fdsqrt.s d0,fp3 | f200 45c5
fdsqrt.s (a0),fp3 | f210 45c5
fdsqrt.d (a0)+,fp3 | f218 55c5
fdsqrt.d -(a0),fp3 | f220 55c5
fdsqrt.s 8(a0),fp3 | f228 45c5 0008
fdsqrt.d -8(a6),fp5 | f22e 56c5 fff8
fdsqrt.l d0,fp3 | f200 41c5
fdsqrt.w d0,fp3 | f200 51c5
fdsqrt.b d0,fp3 | f200 59c5
fdsqrt.l (a0),fp3 | f210 41c5
fdsqrt.w 8(a0),fp3 | f228 51c5 0008
fdsqrt.b (a0)+,fp3 | f218 59c5
fdsqrt.l (a0),fp3 | f210 41c5
fdsqrt.l d0,fp3 | f200 41c5
f21: fdsqrt.d f21(pc),fp2 | f23a 5545 fffc
fabs.d fp1,fp2 | f200 0518
fabs.d fp7,fp0 | f200 1c18
fabs.d fp4 | f200 1218
fabs.s d0,fp3 | f200 4598
fabs.s (a0),fp3 | f210 4598
fabs.d (a0)+,fp3 | f218 5598
fabs.d -(a0),fp3 | f220 5598
fabs.s 8(a0),fp3 | f228 4598 0008
fabs.d -8(a6),fp5 | f22e 5698 fff8
fabs.l d0,fp3 | f200 4198
fabs.w d0,fp3 | f200 5198
fabs.b d0,fp3 | f200 5998
fabs.l (a0),fp3 | f210 4198
fabs.w 8(a0),fp3 | f228 5198 0008
fabs.b (a0)+,fp3 | f218 5998
fabs.l (a0),fp3 | f210 4198
fabs.l d0,fp3 | f200 4198
f22: fabs.d f22(pc),fp2 | f23a 5518 fffc
fsabs.d fp1,fp2 | f200 0558
fsabs.d fp7,fp0 | f200 1c58
fsabs.d fp4 | f200 1258
fsabs.s d0,fp3 | f200 45d8
fsabs.s (a0),fp3 | f210 45d8
fsabs.d (a0)+,fp3 | f218 55d8
fsabs.d -(a0),fp3 | f220 55d8
fsabs.s 8(a0),fp3 | f228 45d8 0008
fsabs.d -8(a6),fp5 | f22e 56d8 fff8
fsabs.l d0,fp3 | f200 41d8
fsabs.w d0,fp3 | f200 51d8
fsabs.b d0,fp3 | f200 59d8
fsabs.l (a0),fp3 | f210 41d8
fsabs.w 8(a0),fp3 | f228 51d8 0008
fsabs.b (a0)+,fp3 | f218 59d8
fsabs.l (a0),fp3 | f210 41d8
fsabs.l d0,fp3 | f200 41d8
f23: fsabs.d f23(pc),fp2 | f23a 5558 fffc
fdabs.d fp1,fp2 | f200 055c
fdabs.d fp7,fp0 | f200 1c5c
fdabs.d fp4 | f200 125c
fdabs.s d0,fp3 | f200 45dc
fdabs.s (a0),fp3 | f210 45dc
fdabs.d (a0)+,fp3 | f218 55dc
fdabs.d -(a0),fp3 | f220 55dc
fdabs.s 8(a0),fp3 | f228 45dc 0008
fdabs.d -8(a6),fp5 | f22e 56dc fff8
fdabs.l d0,fp3 | f200 41dc
fdabs.w d0,fp3 | f200 51dc
fdabs.b d0,fp3 | f200 59dc
fdabs.l (a0),fp3 | f210 41dc
fdabs.w 8(a0),fp3 | f228 51dc 0008
fdabs.b (a0)+,fp3 | f218 59dc
fdabs.l (a0),fp3 | f210 41dc
fdabs.l d0,fp3 | f200 41dc
f24: fdabs.d f24(pc),fp2 | f23a 555c fffc
fneg.d fp1,fp2 | f200 051a
fneg.d fp7,fp0 | f200 1c1a
fneg.d fp4 | f200 121a
fneg.s d0,fp3 | f200 459a
fneg.s (a0),fp3 | f210 459a
fneg.d (a0)+,fp3 | f218 559a
fneg.d -(a0),fp3 | f220 559a
fneg.s 8(a0),fp3 | f228 459a 0008
fneg.d -8(a6),fp5 | f22e 569a fff8
fneg.l d0,fp3 | f200 419a
fneg.w d0,fp3 | f200 519a
fneg.b d0,fp3 | f200 599a
fneg.l (a0),fp3 | f210 419a
fneg.w 8(a0),fp3 | f228 519a 0008
fneg.b (a0)+,fp3 | f218 599a
fneg.l (a0),fp3 | f210 419a
fneg.l d0,fp3 | f200 419a
f25: fneg.d f25(pc),fp2 | f23a 551a fffc
fsneg.d fp1,fp2 | f200 055a
fsneg.d fp7,fp0 | f200 1c5a
fsneg.d fp4 | f200 125a
fsneg.s d0,fp3 | f200 45da
fsneg.s (a0),fp3 | f210 45da
fsneg.d (a0)+,fp3 | f218 55da
fsneg.d -(a0),fp3 | f220 55da
fsneg.s 8(a0),fp3 | f228 45da 0008
fsneg.d -8(a6),fp5 | f22e 56da fff8
fsneg.l d0,fp3 | f200 41da
fsneg.w d0,fp3 | f200 51da
fsneg.b d0,fp3 | f200 59da
fsneg.l (a0),fp3 | f210 41da
fsneg.w 8(a0),fp3 | f228 51da 0008
fsneg.b (a0)+,fp3 | f218 59da
fsneg.l (a0),fp3 | f210 41da
fsneg.l d0,fp3 | f200 41da
f26: fsneg.d f26(pc),fp2 | f23a 555a fffc
fdneg.d fp1,fp2 | f200 055e
fdneg.d fp7,fp0 | f200 1c5e
fdneg.d fp4 | f200 125e
fdneg.s d0,fp3 | f200 45de
fdneg.s (a0),fp3 | f210 45de
fdneg.d (a0)+,fp3 | f218 55de
fdneg.d -(a0),fp3 | f220 55de
fdneg.s 8(a0),fp3 | f228 45de 0008
fdneg.d -8(a6),fp5 | f22e 56de fff8
fdneg.l d0,fp3 | f200 41de
fdneg.w d0,fp3 | f200 51de
fdneg.b d0,fp3 | f200 59de
fdneg.l (a0),fp3 | f210 41de
fdneg.w 8(a0),fp3 | f228 51de 0008
fdneg.b (a0)+,fp3 | f218 59de
fdneg.l (a0),fp3 | f210 41de
fdneg.l d0,fp3 | f200 41de
f27: fdneg.d f27(pc),fp2 | f23a 555e fffc
ftst.d fp1 | f200 043a
ftst.d fp0 | f200 003a
ftst.l d0 | f200 403a
ftst.l d3 | f203 403a
ftst.w d0 | f200 503a
ftst.b d0 | f200 583a
ftst.s d0 | f200 443a
ftst.d (a0) | f210 543a
ftst.s 8(a0) | f228 443a 0008
ftst.l (a0)+ | f218 403a
ftst.d -(a0) | f220 543a
ftst.l (a0) | f210 403a
f28: ftst.d f28(pc) | f23a 543a fffc
fmove.b fp1,(a0) | f210 7880
fmove.b fp1,(a0)+ | f218 7880
fmove.b fp1,-(a0) | f220 7880
fmove.b fp1,8(a0) | f228 7880 0008
fmove.b fp1,d0 | f200 7880
fmove.w fp1,(a0) | f210 7080
fmove.w fp1,(a0)+ | f218 7080
fmove.w fp1,-(a0) | f220 7080
fmove.w fp1,8(a0) | f228 7080 0008
fmove.w fp1,d0 | f200 7080
fmove.l fp1,(a0) | f210 6080
fmove.l fp1,(a0)+ | f218 6080
fmove.l fp1,-(a0) | f220 6080
fmove.l fp1,8(a0) | f228 6080 0008
fmove.l fp1,d0 | f200 6080
fmove.s fp1,(a0) | f210 6480
fmove.s fp1,(a0)+ | f218 6480
fmove.s fp1,-(a0) | f220 6480
fmove.s fp1,8(a0) | f228 6480 0008
fmove.s fp1,d0 | f200 6480
fmove.d fp1,(a0) | f210 7480
fmove.d fp1,(a0)+ | f218 7480
fmove.d fp1,-(a0) | f220 7480
fmove.d fp1,8(a0) | f228 7480 0008
fmove.d fp7,-(a7) | f227 7780
fmove.l fp2,(a1) | f211 6100
fmove.l d0,fpcr | f200 9000
fmove.l d0,fpsr | f200 8800
fmove.l d0,fpiar | f200 8400
fmove.l (a0),fpcr | f210 9000
fmove.l 8(a0),fpsr | f228 8800 0008
fmove.l (a0)+,fpiar | f218 8400
fmove.l -(a0),fpcr | f220 9000
f29: fmove.l f29(pc),fpcr | f23a 9000 fffc
fmove.l fpcr,d0 | f200 b000
fmove.l fpsr,d1 | f201 a800
fmove.l fpiar,d2 | f202 a400
fmove.l fpcr,(a0) | f210 b000
fmove.l fpsr,8(a0) | f228 a800 0008
fmove.l fpiar,-(a0) | f220 a400
fmove.l fpcr,(a0)+ | f218 b000
fmove.l fpiar,a0 | f208 a400
fmove.l a0,fpiar | refused
fmove.l a0,fpcr | refused
fmove.l fpsr,a0 | f208 a800
fmove.l #1,fpcr | refused
fmovem.d fp0-fp2,(a7) | f217 f0e0
fmovem.d fp0/fp3,8(a0) | f228 f090 0008
fmovem.d fp0-fp7,-16(a6) | f22e f0ff fff0
fmovem.d fp5,(a0) | f210 f004
fmovem.d (a7),fp0 | f217 d080
fmovem.d 8(a0),fp0-fp7 | f228 d0ff 0008
fmovem.d (a1),fp2/fp4-fp6 | f211 d02e
fmovem.d (a0),fp1-fp2 | f210 d060
f30: fmovem.d f30(pc),fp1/fp2 | f23a d060 fffc
fmovem.d fp0-fp1,4(a0,d0.l) | refused
fmovem.d 4(a0,d0.l),fp0 | refused
fnop | f280 0000
fsave (a0) | f310
fsave 8(a0) | f328 0008
frestore (a0) | f350
frestore -8(a0) | f368 fff8
frp: frestore frp(pc) | refused
fsave 8(a0,d0.l) | refused
fadd.d 8(a0,d0.l),fp1 | f230 54a2 0808
fmove.d fp1,4(a0,d0.l) | f230 7480 0804
fadd.d d3,fp6 | refused
fmove.d fp2,d0 | refused
fadd.l #1,fp1 | refused
fadd.d 0x1234.w,fp1 | refused
flf: nop | 4e71
fbf flf | f280 fffc
fbf flf | f280 fff8
fbf.l flf | f2c0 ffff fff4
fleq: nop | 4e71
fbeq fleq | f281 fffc
fbeq fleq | f281 fff8
fbeq.l fleq | f2c1 ffff fff4
flogt: nop | 4e71
fbogt flogt | f282 fffc
fbogt flogt | f282 fff8
fbogt.l flogt | f2c2 ffff fff4
floge: nop | 4e71
fboge floge | f283 fffc
fboge floge | f283 fff8
fboge.l floge | f2c3 ffff fff4
flolt: nop | 4e71
fbolt flolt | f284 fffc
fbolt flolt | f284 fff8
fbolt.l flolt | f2c4 ffff fff4
flole: nop | 4e71
fbole flole | f285 fffc
fbole flole | f285 fff8
fbole.l flole | f2c5 ffff fff4
flogl: nop | 4e71
fbogl flogl | f286 fffc
fbogl flogl | f286 fff8
fbogl.l flogl | f2c6 ffff fff4
flor: nop | 4e71
fbor flor | f287 fffc
fbor flor | f287 fff8
fbor.l flor | f2c7 ffff fff4
flun: nop | 4e71
fbun flun | f288 fffc
fbun flun | f288 fff8
fbun.l flun | f2c8 ffff fff4
flueq: nop | 4e71
fbueq flueq | f289 fffc
fbueq flueq | f289 fff8
fbueq.l flueq | f2c9 ffff fff4
flugt: nop | 4e71
fbugt flugt | f28a fffc
fbugt flugt | f28a fff8
fbugt.l flugt | f2ca ffff fff4
fluge: nop | 4e71
fbuge fluge | f28b fffc
fbuge fluge | f28b fff8
fbuge.l fluge | f2cb ffff fff4
flult: nop | 4e71
fbult flult | f28c fffc
fbult flult | f28c fff8
fbult.l flult | f2cc ffff fff4
flule: nop | 4e71
fbule flule | f28d fffc
fbule flule | f28d fff8
fbule.l flule | f2cd ffff fff4
flne: nop | 4e71
fbne flne | f28e fffc
fbne flne | f28e fff8
fbne.l flne | f2ce ffff fff4
flt: nop | 4e71
fbt flt | f28f fffc
fbt flt | f28f fff8
fbt.l flt | f2cf ffff fff4
flsf: nop | 4e71
fbsf flsf | f290 fffc
fbsf flsf | f290 fff8
fbsf.l flsf | f2d0 ffff fff4
flseq: nop | 4e71
fbseq flseq | f291 fffc
fbseq flseq | f291 fff8
fbseq.l flseq | f2d1 ffff fff4
flgt: nop | 4e71
fbgt flgt | f292 fffc
fbgt flgt | f292 fff8
fbgt.l flgt | f2d2 ffff fff4
flge: nop | 4e71
fbge flge | f293 fffc
fbge flge | f293 fff8
fbge.l flge | f2d3 ffff fff4
fllt: nop | 4e71
fblt fllt | f294 fffc
fblt fllt | f294 fff8
fblt.l fllt | f2d4 ffff fff4
flle: nop | 4e71
fble flle | f295 fffc
fble flle | f295 fff8
fble.l flle | f2d5 ffff fff4
flgl: nop | 4e71
fbgl flgl | f296 fffc
fbgl flgl | f296 fff8
fbgl.l flgl | f2d6 ffff fff4
flgle: nop | 4e71
fbgle flgle | f297 fffc
fbgle flgle | f297 fff8
fbgle.l flgle | f2d7 ffff fff4
flngle: nop | 4e71
fbngle flngle | f298 fffc
fbngle flngle | f298 fff8
fbngle.l flngle | f2d8 ffff fff4
flngl: nop | 4e71
fbngl flngl | f299 fffc
fbngl flngl | f299 fff8
fbngl.l flngl | f2d9 ffff fff4
flnle: nop | 4e71
fbnle flnle | f29a fffc
fbnle flnle | f29a fff8
fbnle.l flnle | f2da ffff fff4
flnlt: nop | 4e71
fbnlt flnlt | f29b fffc
fbnlt flnlt | f29b fff8
fbnlt.l flnlt | f2db ffff fff4
flnge: nop | 4e71
fbnge flnge | f29c fffc
fbnge flnge | f29c fff8
fbnge.l flnge | f2dc ffff fff4
flngt: nop | 4e71
fbngt flngt | f29d fffc
fbngt flngt | f29d fff8
fbngt.l flngt | f2dd ffff fff4
flsne: nop | 4e71
fbsne flsne | f29e fffc
fbsne flsne | f29e fff8
fbsne.l flsne | f2de ffff fff4
flst: nop | 4e71
fbst flst | f29f fffc
fbst flst | f29f fff8
fbst.l flst | f2df ffff fff4
fbne ffwd | f28e 000e
fbne.l ffwd | f2ce 0000 000a
fbeq ffwd | f281 0004
nop | 4e71
ffwd: nop | 4e71
fbeq.s ffwd | refused
fbeq.b ffwd | refused
