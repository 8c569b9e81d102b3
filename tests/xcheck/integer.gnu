# What GNU assembler (GNU Binutils for Debian) 2.40 makes of each form of integer.txt
# on each core the form runs on. Written by XCHECK_RECORD=1; format in xcheck_data.h.
add.l d1,d2 | d481
add.l a1,d2 | d489
add.l (a1),d2 | d491
add.l (a1)+,d2 | d499
add.l -(a1),d2 | d4a1
add.l 8(a1),d2 | d4a9 0008
add.l -4(a1,d0.l*4),d2 | d4b1 0cfc
add.l 0x1234.w,d2 | d4b8 1234
add.l 0x12345678,d2 | d4b9 1234 5678
add.l #0x12345,d2 | 0682 0001 2345
pc1: nop | 4e71
add.l pc1(pc),d2 | d4ba fffc
add.l pc1(pc,d0.l),d2 | d4bb 08f8
add.l d2,(a1) | d591
add.l d2,(a1)+ | d599
add.l d2,-(a1) | d5a1
add.l d2,8(a1) | d5a9 0008
add.l d2,-4(a1,d0.l*4) | d5b1 0cfc
add.l d2,0x1234.w | d5b8 1234
add.l d2,0x12345678 | d5b9 1234 5678
adda.l d1,a2 | d5c1
adda.l a1,a2 | d5c9
adda.l (a1),a2 | d5d1
adda.l (a1)+,a2 | d5d9
adda.l -(a1),a2 | d5e1
adda.l 8(a1),a2 | d5e9 0008
adda.l -4(a1,d0.l*4),a2 | d5f1 0cfc
adda.l 0x1234.w,a2 | d5f8 1234
adda.l 0x12345678,a2 | d5f9 1234 5678
adda.l #0x12345,a2 | d5fc 0001 2345
pc2: nop | 4e71
adda.l pc2(pc),a2 | d5fa fffc
adda.l pc2(pc,d0.l),a2 | d5fb 08f8
add.l d1,a2 | d5c1
add.l (a1),a2 | d5d1
add.l #0x12345,a2 | d5fc 0001 2345
add.l #5,a2 | 5a8a
add.l d1,d2 | d481
add.l d2,(a1) | d591
adda.l d1,a2 | d5c1
addi.l #0x12345,d1 | 0681 0001 2345
addi.l #0x12345,d1 | 0681 0001 2345
addq.l #3,d1 | 5681
addq.l #3,a1 | 5689
addq.l #3,(a1) | 5691
addq.l #3,(a1)+ | 5699
addq.l #3,-(a1) | 56a1
addq.l #3,8(a1) | 56a9 0008
addq.l #3,-4(a1,d0.l*4) | 56b1 0cfc
addq.l #3,0x1234.w | 56b8 1234
addq.l #3,0x12345678 | 56b9 1234 5678
addq.l #1,d1 | 5281
addq.l #8,d1 | 5081
addq.l #3,d1 | 5681
addx.l d1,d2 | d581
addx.l d1,d2 | d581
and.l d1,d2 | c481
and.l (a1),d2 | c491
and.l (a1)+,d2 | c499
and.l -(a1),d2 | c4a1
and.l 8(a1),d2 | c4a9 0008
and.l -4(a1,d0.l*4),d2 | c4b1 0cfc
and.l 0x1234.w,d2 | c4b8 1234
and.l 0x12345678,d2 | c4b9 1234 5678
pc3: nop | 4e71
and.l pc3(pc),d2 | c4ba fffc
and.l pc3(pc,d0.l),d2 | c4bb 08f8
and.l #0x12345,d2 | 0282 0001 2345
and.l d2,(a1) | c591
and.l d2,(a1)+ | c599
and.l d2,-(a1) | c5a1
and.l d2,8(a1) | c5a9 0008
and.l d2,-4(a1,d0.l*4) | c5b1 0cfc
and.l d2,0x1234.w | c5b8 1234
and.l d2,0x12345678 | c5b9 1234 5678
and.l d1,d2 | c481
andi.l #0x12345,d1 | 0281 0001 2345
andi.l #0x12345,d1 | 0281 0001 2345
or.l d1,d2 | 8481
or.l (a1),d2 | 8491
or.l (a1)+,d2 | 8499
or.l -(a1),d2 | 84a1
or.l 8(a1),d2 | 84a9 0008
or.l -4(a1,d0.l*4),d2 | 84b1 0cfc
or.l 0x1234.w,d2 | 84b8 1234
or.l 0x12345678,d2 | 84b9 1234 5678
pc4: nop | 4e71
or.l pc4(pc),d2 | 84ba fffc
or.l pc4(pc,d0.l),d2 | 84bb 08f8
or.l #0x12345,d2 | 0082 0001 2345
or.l d2,(a1) | 8591
or.l d2,(a1)+ | 8599
or.l d2,-(a1) | 85a1
or.l d2,8(a1) | 85a9 0008
or.l d2,-4(a1,d0.l*4) | 85b1 0cfc
or.l d2,0x1234.w | 85b8 1234
or.l d2,0x12345678 | 85b9 1234 5678
or.l d1,d2 | 8481
ori.l #0x12345,d1 | 0081 0001 2345
ori.l #0x12345,d1 | 0081 0001 2345
eor.l d2,d1 | b581
eor.l d2,(a1) | b591
eor.l d2,(a1)+ | b599
eor.l d2,-(a1) | b5a1
eor.l d2,8(a1) | b5a9 0008
eor.l d2,-4(a1,d0.l*4) | b5b1 0cfc
eor.l d2,0x1234.w | b5b8 1234
eor.l d2,0x12345678 | b5b9 1234 5678
eor.l d2,d1 | b581
eori.l #0x12345,d1 | 0a81 0001 2345
eori.l #0x12345,d1 | 0a81 0001 2345
asl.l d1,d2 | e3a2
asl.l #1,d2 | e382
asl.l #8,d2 | e182
asl.l #3,d2 | e782
asr.l d1,d2 | e2a2
asr.l #1,d2 | e282
asr.l #8,d2 | e082
asr.l #3,d2 | e682
lsl.l d1,d2 | e3aa
lsl.l #1,d2 | e38a
lsl.l #8,d2 | e18a
lsl.l #3,d2 | e78a
lsr.l d1,d2 | e2aa
lsr.l #1,d2 | e28a
lsr.l #8,d2 | e08a
lsr.l #3,d2 | e68a
bchg.l d1,d2 | 0342
bchg d1,d2 | 0342
bchg.l #31,d2 | 0842 001f
bchg #3,d2 | 0842 0003
bchg.b d1,(a1) | 0351
bchg.b d1,(a1)+ | 0359
bchg.b d1,-(a1) | 0361
bchg.b d1,8(a1) | 0369 0008
bchg.b d1,-4(a1,d0.l*4) | 0371 0cfc
bchg.b d1,0x1234.w | 0378 1234
bchg.b d1,0x12345678 | 0379 1234 5678
bchg.b #3,(a1) | 0851 0003
bchg.b #3,(a1)+ | 0859 0003
bchg.b #3,-(a1) | 0861 0003
bchg.b #3,8(a1) | 0869 0003 0008
bchg d1,(a1) | 0351
bchg #3,8(a1) | 0869 0003 0008
bclr.l d1,d2 | 0382
bclr d1,d2 | 0382
bclr.l #31,d2 | 0882 001f
bclr #3,d2 | 0882 0003
bclr.b d1,(a1) | 0391
bclr.b d1,(a1)+ | 0399
bclr.b d1,-(a1) | 03a1
bclr.b d1,8(a1) | 03a9 0008
bclr.b d1,-4(a1,d0.l*4) | 03b1 0cfc
bclr.b d1,0x1234.w | 03b8 1234
bclr.b d1,0x12345678 | 03b9 1234 5678
bclr.b #3,(a1) | 0891 0003
bclr.b #3,(a1)+ | 0899 0003
bclr.b #3,-(a1) | 08a1 0003
bclr.b #3,8(a1) | 08a9 0003 0008
bclr d1,(a1) | 0391
bclr #3,8(a1) | 08a9 0003 0008
bset.l d1,d2 | 03c2
bset d1,d2 | 03c2
bset.l #31,d2 | 08c2 001f
bset #3,d2 | 08c2 0003
bset.b d1,(a1) | 03d1
bset.b d1,(a1)+ | 03d9
bset.b d1,-(a1) | 03e1
bset.b d1,8(a1) | 03e9 0008
bset.b d1,-4(a1,d0.l*4) | 03f1 0cfc
bset.b d1,0x1234.w | 03f8 1234
bset.b d1,0x12345678 | 03f9 1234 5678
bset.b #3,(a1) | 08d1 0003
bset.b #3,(a1)+ | 08d9 0003
bset.b #3,-(a1) | 08e1 0003
bset.b #3,8(a1) | 08e9 0003 0008
bset d1,(a1) | 03d1
bset #3,8(a1) | 08e9 0003 0008
btst.l d1,d2 | 0302
btst d1,d2 | 0302
btst.l #31,d2 | 0802 001f
btst #3,d2 | 0802 0003
btst.b d1,(a1) | 0311
btst.b d1,(a1)+ | 0319
btst.b d1,-(a1) | 0321
btst.b d1,8(a1) | 0329 0008
btst.b d1,-4(a1,d0.l*4) | 0331 0cfc
btst.b d1,0x1234.w | 0338 1234
btst.b d1,0x12345678 | 0339 1234 5678
btst.b #3,(a1) | 0811 0003
btst.b #3,(a1)+ | 0819 0003
btst.b #3,-(a1) | 0821 0003
btst.b #3,8(a1) | 0829 0003 0008
btst d1,(a1) | 0311
btst #3,8(a1) | 0829 0003 0008
btst.b d1,#5 | 033c 0005
pc5: nop | 4e71
btst.b d1,pc5(pc) | 033a fffc
btst.b d1,pc5(pc,d0.l) | 033b 08f8
clr.b d1 | 4201
clr.b (a1) | 4211
clr.b (a1)+ | 4219
clr.b -(a1) | 4221
clr.b 8(a1) | 4229 0008
clr.b -4(a1,d0.l*4) | 4231 0cfc
clr.b 0x1234.w | 4238 1234
clr.b 0x12345678 | 4239 1234 5678
clr.w d1 | 4241
clr.w (a1) | 4251
clr.w (a1)+ | 4259
clr.w -(a1) | 4261
clr.w 8(a1) | 4269 0008
clr.w -4(a1,d0.l*4) | 4271 0cfc
clr.w 0x1234.w | 4278 1234
clr.w 0x12345678 | 4279 1234 5678
clr.l d1 | 4281
clr.l (a1) | 4291
clr.l (a1)+ | 4299
clr.l -(a1) | 42a1
clr.l 8(a1) | 42a9 0008
clr.l -4(a1,d0.l*4) | 42b1 0cfc
clr.l 0x1234.w | 42b8 1234
clr.l 0x12345678 | 42b9 1234 5678
clr.l d1 | 4281
clr.l (a1) | 4291
neg.l d1 | 4481
neg.l d1 | 4481
negx.l d1 | 4081
negx.l d1 | 4081
not.l d1 | 4681
not.l d1 | 4681
tst.b d1 | 4a01
tst.b (a1) | 4a11
tst.b (a1)+ | 4a19
tst.b -(a1) | 4a21
tst.b 8(a1) | 4a29 0008
tst.b -4(a1,d0.l*4) | 4a31 0cfc
tst.b 0x1234.w | 4a38 1234
tst.b 0x12345678 | 4a39 1234 5678
tst.b #0x12 | 4a3c 0012
pc6: nop | 4e71
tst.b pc6(pc) | 4a3a fffc
tst.b pc6(pc,d0.l) | 4a3b 08f8
tst.w d1 | 4a41
tst.w (a1) | 4a51
tst.w (a1)+ | 4a59
tst.w -(a1) | 4a61
tst.w 8(a1) | 4a69 0008
tst.w -4(a1,d0.l*4) | 4a71 0cfc
tst.w 0x1234.w | 4a78 1234
tst.w 0x12345678 | 4a79 1234 5678
tst.w #0x1234 | 4a7c 1234
pc7: nop | 4e71
tst.w pc7(pc) | 4a7a fffc
tst.w pc7(pc,d0.l) | 4a7b 08f8
tst.l d1 | 4a81
tst.l (a1) | 4a91
tst.l (a1)+ | 4a99
tst.l -(a1) | 4aa1
tst.l 8(a1) | 4aa9 0008
tst.l -4(a1,d0.l*4) | 4ab1 0cfc
tst.l 0x1234.w | 4ab8 1234
tst.l 0x12345678 | 4ab9 1234 5678
tst.l #0x12345 | 4abc 0001 2345
pc8: nop | 4e71
tst.l pc8(pc) | 4aba fffc
tst.l pc8(pc,d0.l) | 4abb 08f8
tst.w a1 | 4a49
tst.l a1 | 4a89
tst.l d1 | 4a81
ext.w d1 | 4881
ext.l d1 | 48c1
ext.l d1 | 48c1
extb.l d1 | 49c1
extb.l d1 | 49c1
swap d1 | 4841
swap.w d1 | 4841
cmp.l d1,d2 | b481
cmp.l a1,d2 | b489
cmp.l (a1),d2 | b491
cmp.l (a1)+,d2 | b499
cmp.l -(a1),d2 | b4a1
cmp.l 8(a1),d2 | b4a9 0008
cmp.l -4(a1,d0.l*4),d2 | b4b1 0cfc
cmp.l 0x1234.w,d2 | b4b8 1234
cmp.l 0x12345678,d2 | b4b9 1234 5678
pc9: nop | 4e71
cmp.l pc9(pc),d2 | b4ba fffc
cmp.l pc9(pc,d0.l),d2 | b4bb 08f8
cmp.l #0x12345,d2 | 0c82 0001 2345
cmp.l d1,d2 | b481
cmpa.l d1,a2 | b5c1
cmpa.l a1,a2 | b5c9
cmpa.l (a1),a2 | b5d1
cmpa.l (a1)+,a2 | b5d9
cmpa.l -(a1),a2 | b5e1
cmpa.l 8(a1),a2 | b5e9 0008
cmpa.l -4(a1,d0.l*4),a2 | b5f1 0cfc
cmpa.l 0x1234.w,a2 | b5f8 1234
cmpa.l 0x12345678,a2 | b5f9 1234 5678
cmpa.l #0x12345,a2 | b5fc 0001 2345
pc10: nop | 4e71
cmpa.l pc10(pc),a2 | b5fa fffc
cmpa.l pc10(pc,d0.l),a2 | b5fb 08f8
cmpa.l d1,a2 | b5c1
cmpa.l d1,a2 | b5c1
cmpa.l (a1),a2 | b5d1
cmpa.l -4(a1,d0.l*4),a2 | b5f1 0cfc
cmpa.l #0x12345,a2 | b5fc 0001 2345
cmpa.l d1,a2 | b5c1
cmpi.l #0x12345,d1 | 0c81 0001 2345
cmpi.l #0x12345,d1 | 0c81 0001 2345
jmp (a1) | 4ed1
jmp 8(a1) | 4ee9 0008
jmp -4(a1,d0.l*4) | 4ef1 0cfc
jmp 0x1234.w | 4ef8 1234
jmp 0x12345678 | 4ef9 1234 5678
pc11: nop | 4e71
jmp pc11(pc) | 4efa fffc
jmp pc11(pc,d0.l) | 4efb 08f8
jsr (a1) | 4e91
jsr 8(a1) | 4ea9 0008
jsr -4(a1,d0.l*4) | 4eb1 0cfc
jsr 0x1234.w | 4eb8 1234
jsr 0x12345678 | 4eb9 1234 5678
pc12: nop | 4e71
jsr pc12(pc) | 4eba fffc
jsr pc12(pc,d0.l) | 4ebb 08f8
pea (a1) | 4851
pea 8(a1) | 4869 0008
pea -4(a1,d0.l*4) | 4871 0cfc
pea 0x1234.w | 4878 1234
pea 0x12345678 | 4879 1234 5678
pc13: nop | 4e71
pea pc13(pc) | 487a fffc
pea pc13(pc,d0.l) | 487b 08f8
pea (a1) | 4851
lea (a1),a2 | 45d1
lea 8(a1),a2 | 45e9 0008
lea -4(a1,d0.l*4),a2 | 45f1 0cfc
lea 0x1234.w,a2 | 45f8 1234
lea 0x12345678,a2 | 45f9 1234 5678
pc14: nop | 4e71
lea pc14(pc),a2 | 45fa fffc
lea pc14(pc,d0.l),a2 | 45fb 08f8
lea.l 8(a1),a2 | 45e9 0008
link a6,#-8 | 4e56 fff8
link.w a6,#-8 | 4e56 fff8
link a6,#0x7ff0 | 4e56 7ff0
unlk a6 | 4e5e
trap #0 | 4e40
trap #15 | 4e4f
stop #0x2700 | 4e72 2700
rts | 4e75
rte | 4e73
nop | 4e71
halt | 4ac8
illegal | 4afc
pulse | 4acc
tpf | 51fc
tpf.w #1 | 51fa 0001
tpf.l #0x12345 | 51fb 0001 2345
tpf.w #1 | 51fa 0001
trapf | 51fc
trapf.w #1 | 51fa 0001
trapf.l #0x12345 | 51fb 0001 2345
trapf.w #1 | 51fa 0001
cpushl bc,(a1) | f4e9
cpushl dc,(a1) | f469
cpushl ic,(a1) | f4a9
cpushl bc,(a1) | f4e9
wddata.b (a1) | fb11
wddata.b (a1)+ | fb19
wddata.b -(a1) | fb21
wddata.b 8(a1) | fb29 0008
wddata.b -4(a1,d0.l*4) | fb31 0cfc
wddata.b 0x1234.w | fb38 1234
wddata.b 0x12345678 | fb39 1234 5678
wddata.w (a1) | fb51
wddata.w (a1)+ | fb59
wddata.w -(a1) | fb61
wddata.w 8(a1) | fb69 0008
wddata.w -4(a1,d0.l*4) | fb71 0cfc
wddata.w 0x1234.w | fb78 1234
wddata.w 0x12345678 | fb79 1234 5678
wddata.l (a1) | fb91
wddata.l (a1)+ | fb99
wddata.l -(a1) | fba1
wddata.l 8(a1) | fba9 0008
wddata.l -4(a1,d0.l*4) | fbb1 0cfc
wddata.l 0x1234.w | fbb8 1234
wddata.l 0x12345678 | fbb9 1234 5678
wddata.l (a1) | fb91
wdebug (a1) | fbd1 0003
wdebug.l 8(a1) | fbe9 0003 0008
st.b d1 | 50c1
st d2 | 50c2
sf.b d1 | 51c1
sf d2 | 51c2
shi.b d1 | 52c1
shi d2 | 52c2
sls.b d1 | 53c1
sls d2 | 53c2
scc.b d1 | 54c1
scc d2 | 54c2
scs.b d1 | 55c1
scs d2 | 55c2
sne.b d1 | 56c1
sne d2 | 56c2
seq.b d1 | 57c1
seq d2 | 57c2
svc.b d1 | 58c1
svc d2 | 58c2
svs.b d1 | 59c1
svs d2 | 59c2
spl.b d1 | 5ac1
spl d2 | 5ac2
smi.b d1 | 5bc1
smi d2 | 5bc2
sge.b d1 | 5cc1
sge d2 | 5cc2
slt.b d1 | 5dc1
slt d2 | 5dc2
sgt.b d1 | 5ec1
sgt d2 | 5ec2
sle.b d1 | 5fc1
sle d2 | 5fc2
muls.w d1,d2 | c5c1
muls.w (a1),d2 | c5d1
muls.w (a1)+,d2 | c5d9
muls.w -(a1),d2 | c5e1
muls.w 8(a1),d2 | c5e9 0008
muls.w -4(a1,d0.l*4),d2 | c5f1 0cfc
muls.w 0x1234.w,d2 | c5f8 1234
muls.w 0x12345678,d2 | c5f9 1234 5678
muls.w #0x1234,d2 | c5fc 1234
pc15: nop | 4e71
muls.w pc15(pc),d2 | c5fa fffc
muls.w pc15(pc,d0.l),d2 | c5fb 08f8
mulu.w d1,d2 | c4c1
mulu.w (a1),d2 | c4d1
mulu.w (a1)+,d2 | c4d9
mulu.w -(a1),d2 | c4e1
mulu.w 8(a1),d2 | c4e9 0008
mulu.w -4(a1,d0.l*4),d2 | c4f1 0cfc
mulu.w 0x1234.w,d2 | c4f8 1234
mulu.w 0x12345678,d2 | c4f9 1234 5678
mulu.w #0x1234,d2 | c4fc 1234
pc16: nop | 4e71
mulu.w pc16(pc),d2 | c4fa fffc
mulu.w pc16(pc,d0.l),d2 | c4fb 08f8
muls.l d1,d2 | 4c01 2800
muls.l (a1),d2 | 4c11 2800
muls.l (a1)+,d2 | 4c19 2800
muls.l -(a1),d2 | 4c21 2800
muls.l 8(a1),d2 | 4c29 2800 0008
muls.l d1,d2 | 4c01 2800
mulu.l d1,d2 | 4c01 2000
mulu.l (a1),d2 | 4c11 2000
mulu.l (a1)+,d2 | 4c19 2000
mulu.l -(a1),d2 | 4c21 2000
mulu.l 8(a1),d2 | 4c29 2000 0008
mulu.l d1,d2 | 4c01 2000
move.w ccr,d1 | 42c1
move.w d1,ccr | 44c1
move.w #5,ccr | 44fc 0005
move.w sr,d1 | 40c1
move.w d1,sr | 46c1
move.w #0x2700,sr | 46fc 2700
move.w ccr,d1 | 42c1
move.w d1,sr | 46c1
movec d1,cacr | 4e7b 1002
movec a1,cacr | 4e7b 9002
movec d1,acr0 | 4e7b 1004
movec a1,acr0 | 4e7b 9004
movec d1,acr1 | 4e7b 1005
movec a1,acr1 | 4e7b 9005
movec d1,vbr | 4e7b 1801
movec a1,vbr | 4e7b 9801
movec d1,mbar | 4e7b 1c0f
movec a1,mbar | 4e7b 9c0f
movec d1,rambar0 | 4e7b 1c04
movec a1,rambar0 | 4e7b 9c04
movec d1,rambar | 4e7b 1c04
movec d1,rambar | 4e7b 1c05
movec d1,rambar1 | 4e7b 1c05
movec d1,asid | 4e7b 1003
movec d1,acr2 | 4e7b 1006
movec d1,acr3 | 4e7b 1007
movec d1,mmubar | 4e7b 1008
movec d1,flashbar | 4e7b 1c04
movec d1,vbr | 4e7b 1801
moveq #1,d1 | 7201
moveq #-128,d1 | 7280
moveq #127,d1 | 727f
moveq.l #5,d1 | 7205
moveq #0,d7 | 7e00
movem.l d0-d7/a0-a6,(a7) | 48d7 7fff
movem.l d0/a1,8(a7) | 48ef 0201 0008
movem.l d0,(a1) | 48d1 0001
movem.l a2,-8(a1) | 48e9 0400 fff8
movem.l (a7),d0-d7/a0-a6 | 4cd7 7fff
movem.l 8(a7),d0-d3/a0 | 4cef 010f 0008
movem.l (a1),d0 | 4cd1 0001
movem.l -8(a1),a2 | 4ce9 0400 fff8
movem.l d0-d1,(a7) | 48d7 0003
movem.l (a7),d0-d1 | 4cd7 0003
movea.l d1,a2 | 2441
movea.l a1,a2 | 2449
movea.l (a1),a2 | 2451
movea.l (a1)+,a2 | 2459
movea.l -(a1),a2 | 2461
movea.l 8(a1),a2 | 2469 0008
movea.l -4(a1,d0.l*4),a2 | 2471 0cfc
movea.l 0x1234.w,a2 | 2478 1234
movea.l 0x12345678,a2 | 2479 1234 5678
movea.w d1,a2 | 3441
movea.w a1,a2 | 3449
movea.w (a1),a2 | 3451
movea.w (a1)+,a2 | 3459
movea.w -(a1),a2 | 3461
movea.w 8(a1),a2 | 3469 0008
movea.w -4(a1,d0.l*4),a2 | 3471 0cfc
movea.w 0x1234.w,a2 | 3478 1234
movea.w 0x12345678,a2 | 3479 1234 5678
movea.l #0x12345,a2 | 247c 0001 2345
movea.w #0x1234,a2 | 347c 1234
movea.w d1,a2 | 3441
move.l d1,-(sp) | 2f01
move.l a1,-(sp) | 2f09
lea -12(sp),sp; movem.l d0-d1/a0,(sp) | 4fef fff4 48d7 0103
lea -60(sp),sp; movem.l d0-d7/a0-a6,(sp) | 4fef ffc4 48d7 7fff
move.l (sp)+,d1 | 221f
movea.l (sp)+,a1 | 225f
movem.l (sp),d0-d1/a0; lea 12(sp),sp | 4cd7 0103 4fef 000c
sub.l d1,d2 | 9481
sub.l a1,d2 | 9489
sub.l (a1),d2 | 9491
sub.l (a1)+,d2 | 9499
sub.l -(a1),d2 | 94a1
sub.l 8(a1),d2 | 94a9 0008
sub.l -4(a1,d0.l*4),d2 | 94b1 0cfc
sub.l 0x1234.w,d2 | 94b8 1234
sub.l 0x12345678,d2 | 94b9 1234 5678
sub.l #0x12345,d2 | 0482 0001 2345
pc17: nop | 4e71
sub.l pc17(pc),d2 | 94ba fffc
sub.l pc17(pc,d0.l),d2 | 94bb 08f8
sub.l d2,(a1) | 9591
sub.l d2,(a1)+ | 9599
sub.l d2,-(a1) | 95a1
sub.l d2,8(a1) | 95a9 0008
sub.l d2,-4(a1,d0.l*4) | 95b1 0cfc
sub.l d2,0x1234.w | 95b8 1234
sub.l d2,0x12345678 | 95b9 1234 5678
suba.l d1,a2 | 95c1
suba.l a1,a2 | 95c9
suba.l (a1),a2 | 95d1
suba.l (a1)+,a2 | 95d9
suba.l -(a1),a2 | 95e1
suba.l 8(a1),a2 | 95e9 0008
suba.l -4(a1,d0.l*4),a2 | 95f1 0cfc
suba.l 0x1234.w,a2 | 95f8 1234
suba.l 0x12345678,a2 | 95f9 1234 5678
suba.l #0x12345,a2 | 95fc 0001 2345
pc18: nop | 4e71
suba.l pc18(pc),a2 | 95fa fffc
suba.l pc18(pc,d0.l),a2 | 95fb 08f8
sub.l d1,a2 | 95c1
sub.l #0x12345,a2 | 95fc 0001 2345
sub.l d1,d2 | 9481
suba.l d1,a2 | 95c1
subi.l #0x12345,d1 | 0481 0001 2345
subi.l #0x12345,d1 | 0481 0001 2345
subq.l #3,d1 | 5781
subq.l #3,a1 | 5789
subq.l #3,(a1) | 5791
subq.l #3,(a1)+ | 5799
subq.l #3,-(a1) | 57a1
subq.l #3,8(a1) | 57a9 0008
subq.l #3,-4(a1,d0.l*4) | 57b1 0cfc
subq.l #3,0x1234.w | 57b8 1234
subq.l #3,0x12345678 | 57b9 1234 5678
subq.l #1,d1 | 5381
subq.l #8,d1 | 5181
subq.l #3,d1 | 5781
subx.l d1,d2 | 9581
subx.l d1,d2 | 9581
move.l d1,d3 | 2601
move.l d1,a3 | 2641
move.l d1,(a3) | 2681
move.l d1,(a3)+ | 26c1
move.l d1,-(a3) | 2701
move.l d1,8(a3) | 2741 0008
move.l d1,6(a3,d4.l*2) | 2781 4a06
move.l d1,0x5678.w | 21c1 5678
move.l d1,0x12345678 | 23c1 1234 5678
move.l a1,d3 | 2609
move.l a1,a3 | 2649
move.l a1,(a3) | 2689
move.l a1,(a3)+ | 26c9
move.l a1,-(a3) | 2709
move.l a1,8(a3) | 2749 0008
move.l a1,6(a3,d4.l*2) | 2789 4a06
move.l a1,0x5678.w | 21c9 5678
move.l a1,0x12345678 | 23c9 1234 5678
move.l (a1),d3 | 2611
move.l (a1),a3 | 2651
move.l (a1),(a3) | 2691
move.l (a1),(a3)+ | 26d1
move.l (a1),-(a3) | 2711
move.l (a1),8(a3) | 2751 0008
move.l (a1),6(a3,d4.l*2) | 2791 4a06
move.l (a1),0x5678.w | 21d1 5678
move.l (a1),0x12345678 | 23d1 1234 5678
move.l (a1)+,d3 | 2619
move.l (a1)+,a3 | 2659
move.l (a1)+,(a3) | 2699
move.l (a1)+,(a3)+ | 26d9
move.l (a1)+,-(a3) | 2719
move.l (a1)+,8(a3) | 2759 0008
move.l (a1)+,6(a3,d4.l*2) | 2799 4a06
move.l (a1)+,0x5678.w | 21d9 5678
move.l (a1)+,0x12345678 | 23d9 1234 5678
move.l -(a1),d3 | 2621
move.l -(a1),a3 | 2661
move.l -(a1),(a3) | 26a1
move.l -(a1),(a3)+ | 26e1
move.l -(a1),-(a3) | 2721
move.l -(a1),8(a3) | 2761 0008
move.l -(a1),6(a3,d4.l*2) | 27a1 4a06
move.l -(a1),0x5678.w | 21e1 5678
move.l -(a1),0x12345678 | 23e1 1234 5678
move.l 8(a1),d3 | 2629 0008
move.l 8(a1),a3 | 2669 0008
move.l 8(a1),(a3) | 26a9 0008
move.l 8(a1),(a3)+ | 26e9 0008
move.l 8(a1),-(a3) | 2729 0008
move.l 8(a1),8(a3) | 2769 0008 0008
move.l -4(a1,d2.l*4),d3 | 2631 2cfc
move.l -4(a1,d2.l*4),a3 | 2671 2cfc
move.l -4(a1,d2.l*4),(a3) | 26b1 2cfc
move.l -4(a1,d2.l*4),(a3)+ | 26f1 2cfc
move.l -4(a1,d2.l*4),-(a3) | 2731 2cfc
move.l 0x1234.w,d3 | 2638 1234
move.l 0x1234.w,a3 | 2678 1234
move.l 0x1234.w,(a3) | 26b8 1234
move.l 0x1234.w,(a3)+ | 26f8 1234
move.l 0x1234.w,-(a3) | 2738 1234
move.l 0x12345678,d3 | 2639 1234 5678
move.l 0x12345678,a3 | 2679 1234 5678
move.l 0x12345678,(a3) | 26b9 1234 5678
move.l 0x12345678,(a3)+ | 26f9 1234 5678
move.l 0x12345678,-(a3) | 2739 1234 5678
move.l #0x12345,d3 | 263c 0001 2345
move.l #0x12345,a3 | 267c 0001 2345
move.l #0x12345,(a3) | 26bc 0001 2345
move.l #0x12345,(a3)+ | 26fc 0001 2345
move.l #0x12345,-(a3) | 273c 0001 2345
pcl: nop | 4e71
move.l pcl(pc),d3 | 263a fffc
move.l pcl(pc),a3 | 267a fff8
move.l pcl(pc),(a3) | 26ba fff4
move.l pcl(pc),(a3)+ | 26fa fff0
move.l pcl(pc),-(a3) | 273a ffec
move.l pcl(pc),8(a3) | 277a ffe8 0008
move.l pcl(pc,d2.l),d3 | 263b 28e2
move.l pcl(pc,d2.l),a3 | 267b 28de
move.l pcl(pc,d2.l),(a3) | 26bb 28da
move.l pcl(pc,d2.l),(a3)+ | 26fb 28d6
move.l pcl(pc,d2.l),-(a3) | 273b 28d2
move.w d1,d3 | 3601
move.w d1,a3 | 3641
move.w d1,(a3) | 3681
move.w d1,(a3)+ | 36c1
move.w d1,-(a3) | 3701
move.w d1,8(a3) | 3741 0008
move.w d1,6(a3,d4.l*2) | 3781 4a06
move.w d1,0x5678.w | 31c1 5678
move.w d1,0x12345678 | 33c1 1234 5678
move.w a1,d3 | 3609
move.w a1,a3 | 3649
move.w a1,(a3) | 3689
move.w a1,(a3)+ | 36c9
move.w a1,-(a3) | 3709
move.w a1,8(a3) | 3749 0008
move.w a1,6(a3,d4.l*2) | 3789 4a06
move.w a1,0x5678.w | 31c9 5678
move.w a1,0x12345678 | 33c9 1234 5678
move.w (a1),d3 | 3611
move.w (a1),a3 | 3651
move.w (a1),(a3) | 3691
move.w (a1),(a3)+ | 36d1
move.w (a1),-(a3) | 3711
move.w (a1),8(a3) | 3751 0008
move.w (a1),6(a3,d4.l*2) | 3791 4a06
move.w (a1),0x5678.w | 31d1 5678
move.w (a1),0x12345678 | 33d1 1234 5678
move.w (a1)+,d3 | 3619
move.w (a1)+,a3 | 3659
move.w (a1)+,(a3) | 3699
move.w (a1)+,(a3)+ | 36d9
move.w (a1)+,-(a3) | 3719
move.w (a1)+,8(a3) | 3759 0008
move.w (a1)+,6(a3,d4.l*2) | 3799 4a06
move.w (a1)+,0x5678.w | 31d9 5678
move.w (a1)+,0x12345678 | 33d9 1234 5678
move.w -(a1),d3 | 3621
move.w -(a1),a3 | 3661
move.w -(a1),(a3) | 36a1
move.w -(a1),(a3)+ | 36e1
move.w -(a1),-(a3) | 3721
move.w -(a1),8(a3) | 3761 0008
move.w -(a1),6(a3,d4.l*2) | 37a1 4a06
move.w -(a1),0x5678.w | 31e1 5678
move.w -(a1),0x12345678 | 33e1 1234 5678
move.w 8(a1),d3 | 3629 0008
move.w 8(a1),a3 | 3669 0008
move.w 8(a1),(a3) | 36a9 0008
move.w 8(a1),(a3)+ | 36e9 0008
move.w 8(a1),-(a3) | 3729 0008
move.w 8(a1),8(a3) | 3769 0008 0008
move.w -4(a1,d2.l*4),d3 | 3631 2cfc
move.w -4(a1,d2.l*4),a3 | 3671 2cfc
move.w -4(a1,d2.l*4),(a3) | 36b1 2cfc
move.w -4(a1,d2.l*4),(a3)+ | 36f1 2cfc
move.w -4(a1,d2.l*4),-(a3) | 3731 2cfc
move.w 0x1234.w,d3 | 3638 1234
move.w 0x1234.w,a3 | 3678 1234
move.w 0x1234.w,(a3) | 36b8 1234
move.w 0x1234.w,(a3)+ | 36f8 1234
move.w 0x1234.w,-(a3) | 3738 1234
move.w 0x12345678,d3 | 3639 1234 5678
move.w 0x12345678,a3 | 3679 1234 5678
move.w 0x12345678,(a3) | 36b9 1234 5678
move.w 0x12345678,(a3)+ | 36f9 1234 5678
move.w 0x12345678,-(a3) | 3739 1234 5678
move.w #0x1234,d3 | 363c 1234
move.w #0x1234,a3 | 367c 1234
move.w #0x1234,(a3) | 36bc 1234
move.w #0x1234,(a3)+ | 36fc 1234
move.w #0x1234,-(a3) | 373c 1234
move.w #0x1234,8(a3) | 377c 1234 0008
pcw: nop | 4e71
move.w pcw(pc),d3 | 363a fffc
move.w pcw(pc),a3 | 367a fff8
move.w pcw(pc),(a3) | 36ba fff4
move.w pcw(pc),(a3)+ | 36fa fff0
move.w pcw(pc),-(a3) | 373a ffec
move.w pcw(pc),8(a3) | 377a ffe8 0008
move.w pcw(pc,d2.l),d3 | 363b 28e2
move.w pcw(pc,d2.l),a3 | 367b 28de
move.w pcw(pc,d2.l),(a3) | 36bb 28da
move.w pcw(pc,d2.l),(a3)+ | 36fb 28d6
move.w pcw(pc,d2.l),-(a3) | 373b 28d2
move.b d1,d3 | 1601
move.b d1,(a3) | 1681
move.b d1,(a3)+ | 16c1
move.b d1,-(a3) | 1701
move.b d1,8(a3) | 1741 0008
move.b d1,6(a3,d4.l*2) | 1781 4a06
move.b d1,0x5678.w | 11c1 5678
move.b d1,0x12345678 | 13c1 1234 5678
move.b (a1),d3 | 1611
move.b (a1),(a3) | 1691
move.b (a1),(a3)+ | 16d1
move.b (a1),-(a3) | 1711
move.b (a1),8(a3) | 1751 0008
move.b (a1),6(a3,d4.l*2) | 1791 4a06
move.b (a1),0x5678.w | 11d1 5678
move.b (a1),0x12345678 | 13d1 1234 5678
move.b (a1)+,d3 | 1619
move.b (a1)+,(a3) | 1699
move.b (a1)+,(a3)+ | 16d9
move.b (a1)+,-(a3) | 1719
move.b (a1)+,8(a3) | 1759 0008
move.b (a1)+,6(a3,d4.l*2) | 1799 4a06
move.b (a1)+,0x5678.w | 11d9 5678
move.b (a1)+,0x12345678 | 13d9 1234 5678
move.b -(a1),d3 | 1621
move.b -(a1),(a3) | 16a1
move.b -(a1),(a3)+ | 16e1
move.b -(a1),-(a3) | 1721
move.b -(a1),8(a3) | 1761 0008
move.b -(a1),6(a3,d4.l*2) | 17a1 4a06
move.b -(a1),0x5678.w | 11e1 5678
move.b -(a1),0x12345678 | 13e1 1234 5678
move.b 8(a1),d3 | 1629 0008
move.b 8(a1),(a3) | 16a9 0008
move.b 8(a1),(a3)+ | 16e9 0008
move.b 8(a1),-(a3) | 1729 0008
move.b 8(a1),8(a3) | 1769 0008 0008
move.b -4(a1,d2.l*4),d3 | 1631 2cfc
move.b -4(a1,d2.l*4),(a3) | 16b1 2cfc
move.b -4(a1,d2.l*4),(a3)+ | 16f1 2cfc
move.b -4(a1,d2.l*4),-(a3) | 1731 2cfc
move.b 0x1234.w,d3 | 1638 1234
move.b 0x1234.w,(a3) | 16b8 1234
move.b 0x1234.w,(a3)+ | 16f8 1234
move.b 0x1234.w,-(a3) | 1738 1234
move.b 0x12345678,d3 | 1639 1234 5678
move.b 0x12345678,(a3) | 16b9 1234 5678
move.b 0x12345678,(a3)+ | 16f9 1234 5678
move.b 0x12345678,-(a3) | 1739 1234 5678
move.b #0x12,d3 | 163c 0012
move.b #0x12,(a3) | 16bc 0012
move.b #0x12,(a3)+ | 16fc 0012
move.b #0x12,-(a3) | 173c 0012
move.b #0x12,8(a3) | 177c 0012 0008
pcb: nop | 4e71
move.b pcb(pc),d3 | 163a fffc
move.b pcb(pc),(a3) | 16ba fff8
move.b pcb(pc),(a3)+ | 16fa fff4
move.b pcb(pc),-(a3) | 173a fff0
move.b pcb(pc),8(a3) | 177a ffec 0008
move.b pcb(pc,d2.l),d3 | 163b 28e6
move.b pcb(pc,d2.l),(a3) | 16bb 28e2
move.b pcb(pc,d2.l),(a3)+ | 16fb 28de
move.b pcb(pc,d2.l),-(a3) | 173b 28da
divs.w d1,d2 | 85c1
divs.w (a1),d2 | 85d1
divs.w (a1)+,d2 | 85d9
divs.w -(a1),d2 | 85e1
divs.w 8(a1),d2 | 85e9 0008
divs.w -4(a1,d0.l*4),d2 | 85f1 0cfc
divs.w 0x1234.w,d2 | 85f8 1234
divs.w 0x12345678,d2 | 85f9 1234 5678
divs.w #0x1234,d2 | 85fc 1234
pc19: nop | 4e71
divs.w pc19(pc),d2 | 85fa fffc
divs.w pc19(pc,d0.l),d2 | 85fb 08f8
divs.l d1,d2 | 4c41 2802
divs.l (a1),d2 | 4c51 2802
divs.l (a1)+,d2 | 4c59 2802
divs.l -(a1),d2 | 4c61 2802
divs.l 8(a1),d2 | 4c69 2802 0008
divs.l d1,d2 | 4c41 2802
divu.w d1,d2 | 84c1
divu.w (a1),d2 | 84d1
divu.w (a1)+,d2 | 84d9
divu.w -(a1),d2 | 84e1
divu.w 8(a1),d2 | 84e9 0008
divu.w -4(a1,d0.l*4),d2 | 84f1 0cfc
divu.w 0x1234.w,d2 | 84f8 1234
divu.w 0x12345678,d2 | 84f9 1234 5678
divu.w #0x1234,d2 | 84fc 1234
pc20: nop | 4e71
divu.w pc20(pc),d2 | 84fa fffc
divu.w pc20(pc,d0.l),d2 | 84fb 08f8
divu.l d1,d2 | 4c41 2002
divu.l (a1),d2 | 4c51 2002
divu.l (a1)+,d2 | 4c59 2002
divu.l -(a1),d2 | 4c61 2002
divu.l 8(a1),d2 | 4c69 2002 0008
divu.l d1,d2 | 4c41 2002
rems.l d1,d2:d3 | 4c41 3802
rems.l (a1),d2:d3 | 4c51 3802
rems.l (a1)+,d2:d3 | 4c59 3802
rems.l -(a1),d2:d3 | 4c61 3802
rems.l 8(a1),d2:d3 | 4c69 3802 0008
rems.l d1,d2:d3 | 4c41 3802
remu.l d1,d2:d3 | 4c41 3002
remu.l (a1),d2:d3 | 4c51 3002
remu.l (a1)+,d2:d3 | 4c59 3002
remu.l -(a1),d2:d3 | 4c61 3002
remu.l 8(a1),d2:d3 | 4c69 3002 0008
remu.l d1,d2:d3 | 4c41 3002
mov3q #-1,d1 | a141
mov3q #1,d1 | a341
mov3q #7,d1 | af41
mov3q.l #3,a1 | a749
mov3q.l #3,(a1) | a751
mov3q.l #3,(a1)+ | a759
mov3q.l #3,-(a1) | a761
mov3q.l #3,8(a1) | a769 0008
mov3q.l #3,-4(a1,d0.l*4) | a771 0cfc
mov3q.l #3,0x1234.w | a778 1234
mov3q.l #3,0x12345678 | a779 1234 5678
mov3q #3,d1 | a741
mvs.b d1,d2 | 7501
mvs.b (a1),d2 | 7511
mvs.b (a1)+,d2 | 7519
mvs.b -(a1),d2 | 7521
mvs.b 8(a1),d2 | 7529 0008
mvs.b -4(a1,d0.l*4),d2 | 7531 0cfc
mvs.b 0x1234.w,d2 | 7538 1234
mvs.b 0x12345678,d2 | 7539 1234 5678
mvs.b #0x12,d2 | 753c 0012
pc21: nop | 4e71
mvs.b pc21(pc),d2 | 753a fffc
mvs.b pc21(pc,d0.l),d2 | 753b 08f8
mvs.w d1,d2 | 7541
mvs.w a1,d2 | 7549
mvs.w (a1),d2 | 7551
mvs.w (a1)+,d2 | 7559
mvs.w -(a1),d2 | 7561
mvs.w 8(a1),d2 | 7569 0008
mvs.w -4(a1,d0.l*4),d2 | 7571 0cfc
mvs.w 0x1234.w,d2 | 7578 1234
mvs.w 0x12345678,d2 | 7579 1234 5678
mvs.w #0x1234,d2 | 757c 1234
pc22: nop | 4e71
mvs.w pc22(pc),d2 | 757a fffc
mvs.w pc22(pc,d0.l),d2 | 757b 08f8
mvs.w d1,d2 | 7541
mvz.b d1,d2 | 7581
mvz.b (a1),d2 | 7591
mvz.b (a1)+,d2 | 7599
mvz.b -(a1),d2 | 75a1
mvz.b 8(a1),d2 | 75a9 0008
mvz.b -4(a1,d0.l*4),d2 | 75b1 0cfc
mvz.b 0x1234.w,d2 | 75b8 1234
mvz.b 0x12345678,d2 | 75b9 1234 5678
mvz.b #0x12,d2 | 75bc 0012
pc23: nop | 4e71
mvz.b pc23(pc),d2 | 75ba fffc
mvz.b pc23(pc,d0.l),d2 | 75bb 08f8
mvz.w d1,d2 | 75c1
mvz.w a1,d2 | 75c9
mvz.w (a1),d2 | 75d1
mvz.w (a1)+,d2 | 75d9
mvz.w -(a1),d2 | 75e1
mvz.w 8(a1),d2 | 75e9 0008
mvz.w -4(a1,d0.l*4),d2 | 75f1 0cfc
mvz.w 0x1234.w,d2 | 75f8 1234
mvz.w 0x12345678,d2 | 75f9 1234 5678
mvz.w #0x1234,d2 | 75fc 1234
pc24: nop | 4e71
mvz.w pc24(pc),d2 | 75fa fffc
mvz.w pc24(pc,d0.l),d2 | 75fb 08f8
mvz.w d1,d2 | 75c1
sats.l d1 | 4c81
sats d1 | 4c81
tas.b (a1) | 4ad1
tas.b (a1)+ | 4ad9
tas.b -(a1) | 4ae1
tas.b 8(a1) | 4ae9 0008
tas.b -4(a1,d0.l*4) | 4af1 0cfc
tas.b 0x1234.w | 4af8 1234
tas.b 0x12345678 | 4af9 1234 5678
tas.b (a1) | 4ad1
intouch a1 | f429
cmp.b d1,d2 | b401
cmp.b (a1),d2 | b411
cmp.b (a1)+,d2 | b419
cmp.b -(a1),d2 | b421
cmp.b 8(a1),d2 | b429 0008
cmp.b -4(a1,d0.l*4),d2 | b431 0cfc
cmp.b 0x1234.w,d2 | b438 1234
cmp.b 0x12345678,d2 | b439 1234 5678
pc25: nop | 4e71
cmp.b pc25(pc),d2 | b43a fffc
cmp.b pc25(pc,d0.l),d2 | b43b 08f8
cmpi.b #0x12,d1 | 0c01 0012
cmp.w d1,d2 | b441
cmp.w a1,d2 | b449
cmp.w (a1),d2 | b451
cmp.w (a1)+,d2 | b459
cmp.w -(a1),d2 | b461
cmp.w 8(a1),d2 | b469 0008
cmp.w -4(a1,d0.l*4),d2 | b471 0cfc
cmp.w 0x1234.w,d2 | b478 1234
cmp.w 0x12345678,d2 | b479 1234 5678
pc26: nop | 4e71
cmp.w pc26(pc),d2 | b47a fffc
cmp.w pc26(pc,d0.l),d2 | b47b 08f8
cmpi.w #0x12,d1 | 0c41 0012
cmpa.w d1,a2 | refused
cmpa.w (a1),a2 | refused
cmp.w (a1),a2 | refused
bitrev d1 | 00c1
bitrev d2 | 00c2
byterev d1 | 02c1
byterev d2 | 02c2
ff1 d1 | 04c1
ff1 d2 | 04c2
strldsr #0x2700 | 40e7 46fc 2700
strldsr #0x2700 | refused
move.l (8,a1),d3 | 2629 0008
move.l (-4,a1,d0.l*4),d3 | 2631 0cfc
move.l (a1,d2.l),d3 | 2631 2800
move.l (a1,d2.l*2),d3 | 2631 2a00
move.l 8(a1,d2.l),d3 | 2631 2808
move.l 8(a1,a2.l),d3 | 2631 a808
move.l (127,a1,a2.l*4),d3 | 2631 ac7f
move.l -128(a1,d7.l*2),d3 | 2631 7a80
move.l 0x7fff(a1),d3 | 2629 7fff
move.l -0x8000(a1),d3 | 2629 8000
MOVE.L D1,(SP) | 2e81
Move.l d1,-(sp) | 2f01
move.l (sp)+,a7 | 2e5f
move.l a7,sp | 2e4f
move.l #0x61,d3 | 7661
move.l #0x6162,d3 | 263c 0000 6162
move.l #9,d3 | 7609
move.l #255,d3 | 263c 0000 00ff
move.l #10,d3 | 760a
move.l #0x1234,d3 | 263c 0000 1234
move.l #15,d3 | 760f
move.l 0x1234.w,d3 | 2638 1234
move.l 0x1234.w,d3 | 2638 1234
move.l 0x12345678,d3 | 2639 1234 5678
pcs1: lea (pcs1,%pc),a0 | 41fa fffe
pcs2: lea (pcs2,%pc,d1.l*2),a0 | 41fb 1afe
pcs3: jmp (pcs3,%pc,a1.l) | 4efb 98fe
move.l d1,(a3) | 2681
move.w #0x1234,d3 | 363c 1234
move.b (a1)+,-(a3) | 1719
move.w d1,d3 | 3601
movea.l d1,a3 | 2641
move.w sr,d1 | 40c1
