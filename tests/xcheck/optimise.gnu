# What GNU assembler (GNU Binutils for Debian) 2.40 makes of each form of optimise.txt
# on each core the form runs on. Written by XCHECK_RECORD=1; format in xcheck_data.h.
move.l #1,d1 | 7201
move.l #0,d0 | 7000
move.l #-1,d7 | 7eff
move.l #127,d1 | 727f
move.l #-128,d1 | 7280
move.l #128,d1 | 223c 0000 0080
move.l #-129,d1 | 223c ffff ff7f
move.l #0x12345,d1 | 223c 0001 2345
move #5,d1 | 323c 0005
move.w #5,d1 | 323c 0005
move.l #5,(a1) | 22bc 0000 0005
move.l #5,a1 | 227c 0000 0005
addq.l #1,d2 | 5282
addq.l #8,d2 | 5082
addq.l #3,d2 | 5682
addi.l #9,d2 | 0682 0000 0009
addi.l #0,d2 | 0682 0000 0000
addi.l #-1,d2 | 0682 ffff ffff
subq.l #1,d2 | 5382
subq.l #8,d2 | 5182
subi.l #9,d2 | 0482 0000 0009
add.l #3,d2 | 5682
add.l #3,d2 | 5682
add.l #3,(a1) | 5691
add.l #8,8(a1) | 50a9 0008
add.l #2,0x1234.w | 54b8 1234
add.l #9,d2 | 0682 0000 0009
sub.l #3,d2 | 5782
sub.l #8,-(a1) | 51a1
sub.l #9,d2 | 0482 0000 0009
sub.l #4,a0 | 5988
subq.l #4,a0 | 5988
subq.l #8,a7 | 518f
suba.l #9,a0 | 91fc 0000 0009
suba.l #4,a0 | 91fc 0000 0004
add.l #4,a0 | 5888
adda.l #4,a0 | d1fc 0000 0004
lea 0x1234,a1 | 43f8 1234
lea -4,a2 | 45f8 fffc
lea 0x7fff,a2 | 45f8 7fff
lea 0x8000,a2 | 45f9 0000 8000
lea 0x1234.l,a1 | 43f9 0000 1234
lea 0.l,a3 | 47f9 0000 0000
lea 0x100.w,a2 | 45f8 0100
lea (0x1234).l,a1 | 43f9 0000 1234
lea 0,a3 | 47f8 0000
move.l 0(a0),d0 | 2010
move.l (0,a0),d0 | 2010
move.l d0,0(a1) | 2280
lea 0(a1),a2 | 45d1
jmp 0(a1) | 4ed1
tst.l 0(a1) | 4a91
add.l 0(a1),d2 | d491
move.l 0(a0),8(a1) | 2350 0008
