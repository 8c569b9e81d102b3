# What GNU assembler (GNU Binutils for Debian) 2.40 makes of each form of mac.txt
# on each core the form runs on. Written by XCHECK_RECORD=1; format in xcheck_data.h.
mac.w d1l,d2l | a401 0000
mac.w d1u,d2l | a401 0040
mac.w d1l,d2u | a401 0080
mac.w d1u,d2u | a401 00c0
mac.w a1l,d2u | a409 0080
mac.w d1u,a2l | a441 0040
mac.w a7u,a6u | ac4f 00c0
mac.w d1u,d2l,<< | a401 0240
mac.w d1u,d2l,>> | a401 0640
mac.w d1l,d2u | a401 0080
mac.l d1,d2 | a401 0800
mac.l a1,d7 | ae09 0800
mac.l d1,a2 | a441 0800
mac.l d1,d2,<< | a401 0a00
mac.l d1,d2,>> | a401 0e00
mac.w d1l,d2l,(a0),d3 | a690 2001
mac.w d1l,d2u,(a0)+,d3 | a698 2081
mac.w d1u,d2l,-(a0),d3 | a6a0 2041
mac.w d1u,d2u,8(a0),d3 | a6a8 20c1 0008
mac.w d1l,d2l,-8(a6),a3 | a6ee 2001 fff8
mac.w d1l,d2l,(a0)+&,d3 | a698 2021
mac.w d1u,d2l,<<,(a0)+&,d3 | a698 2261
mac.w a1l,a2u,>>,(a5),a4 | a8d5 a689
mac.l d1,d2,(a0),d3 | a690 2801
mac.l d1,d2,<<,(a0)+,d3 | a698 2a01
mac.l a1,d2,8(a0),a3 | a6e8 2809 0008
mac.l d1,d2,(a0),d3 | a690 2801
mac.w d1l,d2u,(a0)+&,a3 | a6d8 20a1
macl d1,d2,(a0),d3 | a690 2801
macl d1,d2,(a0)+&,a3 | a6d8 2821
mac.w d1l,d2l,(8,a0),d3 | a6a8 2001 0008
mac.w d1l,d2l,8(a0,d0.l),d3 | refused
mac.w d1l,d2l,(8,a0,d0.l*4),d3 | refused
mac.w d1l,d2l,d0,d3 | refused
mac.w d1l,d2l,0x1234.w,d3 | refused
mac.l d1u,d2 | refused
move.l d0,acc | a100
move.l a1,acc | a109
move.l #0x12345,acc | a13c 0001 2345
move.l d0,acc | a100
move.l acc,d0 | a180
move.l acc,a1 | a189
move.l acc,d7 | a187
move.l d0,macsr | a900
move.l a1,macsr | a909
move.l #0x20,macsr | a93c 0000 0020
move.l macsr,d0 | a980
move.l macsr,a1 | a989
move.l macsr,ccr | a9c0
move.l d0,mask | ad00
move.l #0xfffe,mask | ad3c 0000 fffe
move.l mask,d0 | ad80
move.l mask,a1 | ad89
move d0,acc | refused
move.w d0,macsr | refused
msac.w d1l,d2l | a401 0100
msac.w d1u,d2l,<< | a401 0340
msac.l d1,d2 | a401 0900
msac.w d1l,d2u,(a0)+,d3 | a698 2181
msac.l d1,d2,(a0),d3 | a690 2901
msacl a1,d2,8(a0),a3 | a6e8 2909 0008
msac.l a1,d2,8(a0),a3 | a6e8 2909 0008
msac.w d1l,d2l,(a0)&,d3 | a690 2121
msac.w d1l,d2l,acc0 | a401 0100
msac.w d1u,d2l,<<,acc0 | a401 0340
msac.l d1,d2,acc0 | a401 0900
msac.w d1l,d2u,(a0)+,d3,acc0 | a698 2181
msac.l d1,d2,(a0),d3,acc0 | a690 2901
msacl a1,d2,8(a0),a3,acc0 | a6e8 2909 0008
msac.l a1,d2,8(a0),a3,acc0 | a6e8 2909 0008
msac.w d1l,d2l,(a0)&,d3,acc0 | a690 2121
mac.w d1u,d2l,<<,acc1 | a481 0240
mac.w d1l,d2l,acc0 | a401 0000
mac.w d1l,d2l,acc2 | a401 0010
mac.w d1l,d2l,acc3 | a481 0010
mac.l d1,d2,acc1 | a481 0800
mac.l a1,a2,>>,acc3 | a4c9 0e10
msac.w d1u,d2u,acc2 | a401 01d0
msac.l d1,d2,acc3 | a481 0910
mac.w d1l,d2l,(a0)+,d3,acc0 | a698 2001
mac.w d1l,d2l,(a0)+,d3,acc1 | a618 2001
mac.w d1u,d2l,<<,(a0)+&,d3,acc2 | a698 2271
mac.l d1,d2,(a0),d3,acc3 | a610 2811
macl d1,d2,8(a0),a3,acc1 | a668 2801 0008
macl d1,d2,8(a0),a3,acc1 | a668 2801 0008
msac.l d1,d2,(a0),d3,acc1 | a610 2901
msacl d1,d2,-(a0),d3,acc2 | a6a0 2911
msacl d1,d2,-(a0),d3,acc2 | a6a0 2911
msac.w d1l,d2l,(a0)+&,d3,acc3 | a618 2131
move.l d0,acc1 | a300
move.l #0x12345,acc2 | a53c 0001 2345
move.l a3,acc3 | a70b
move.l acc1,d0 | a380
move.l acc2,a1 | a589
move.l acc3,d7 | a787
move.l acc0,acc1 | a310
move.l acc3,acc2 | a513
move.l acc1,acc0 | a111
movclr.l acc0,d0 | a1c0
movclr.l acc1,a1 | a3c9
movclr.l acc3,d7 | a7c7
move.l accext01,d0 | ab80
move.l accext23,a1 | af89
move.l d0,accext01 | ab00
move.l #0x12,accext23 | af3c 0000 0012
movclr.l accext01,d0 | refused
