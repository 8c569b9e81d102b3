# What GNU assembler (GNU Binutils for Debian) 2.40 makes of each form of branches.txt
# on each core the form runs on. Written by XCHECK_RECORD=1; format in xcheck_data.h.
back: nop | 4e71
bra.s back | 60fc
bra.s back | 60fa
bra.w back | 6000 fff8
bra.s back | 60f4
bsr.s back | 61f2
bsr.w back | 6100 fff0
bsr.s back | 61ec
lhi: nop | 4e71
bhi.s lhi | 62fc
bhi.w lhi | 6200 fffa
bhi.s lhi | 62f6
lls: nop | 4e71
bls.s lls | 63fc
bls.w lls | 6300 fffa
bls.s lls | 63f6
lcc: nop | 4e71
bcc.s lcc | 64fc
bcc.w lcc | 6400 fffa
bcc.s lcc | 64f6
lcs: nop | 4e71
bcs.s lcs | 65fc
bcs.w lcs | 6500 fffa
bcs.s lcs | 65f6
lhs: nop | 4e71
bcc.s lhs | 64fc
bcc.w lhs | 6400 fffa
bcc.s lhs | 64f6
llo: nop | 4e71
bcs.s llo | 65fc
bcs.w llo | 6500 fffa
bcs.s llo | 65f6
lne: nop | 4e71
bne.s lne | 66fc
bne.w lne | 6600 fffa
bne.s lne | 66f6
leq: nop | 4e71
beq.s leq | 67fc
beq.w leq | 6700 fffa
beq.s leq | 67f6
lvc: nop | 4e71
bvc.s lvc | 68fc
bvc.w lvc | 6800 fffa
bvc.s lvc | 68f6
lvs: nop | 4e71
bvs.s lvs | 69fc
bvs.w lvs | 6900 fffa
bvs.s lvs | 69f6
lpl: nop | 4e71
bpl.s lpl | 6afc
bpl.w lpl | 6a00 fffa
bpl.s lpl | 6af6
lmi: nop | 4e71
bmi.s lmi | 6bfc
bmi.w lmi | 6b00 fffa
bmi.s lmi | 6bf6
lge: nop | 4e71
bge.s lge | 6cfc
bge.w lge | 6c00 fffa
bge.s lge | 6cf6
llt: nop | 4e71
blt.s llt | 6dfc
blt.w llt | 6d00 fffa
blt.s llt | 6df6
lgt: nop | 4e71
bgt.s lgt | 6efc
bgt.w lgt | 6e00 fffa
bgt.s lgt | 6ef6
lle: nop | 4e71
ble.s lle | 6ffc
ble.w lle | 6f00 fffa
ble.s lle | 6ff6
bra fwd1 | 6000 0018
bsr fwd1 | 6100 0014
beq fwd1 | 6700 0010
bra.s fwd1 | 600c
bne.s fwd1 | 660a
bra.w fwd1 | 6000 0008
bsr.w fwd1 | 6100 0004
nop | 4e71
fwd1: nop | 4e71
bra.s next | refused
next: nop | 4e71
farback: nop | 4e71
.skip 200 | 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000
bra.w farback | 6000 ff34
bra.w farback | 6000 ff30
bsr.w farback | 6100 ff2c
beq.w farback | 6700 ff28
bgt.w farback | 6e00 ff24
bra.s farback | refused
bra.w farfwd | 6000 0136
bsr.w farfwd | 6100 0132
ble farfwd | 6f00 012e
.skip 300 | 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000 0000
farfwd: nop | 4e71
bra.l back | 60ff ffff fd14
bsr.l back | 5407: 61ff ffff fd0e | 54455 51qe 51em 51jf: 61ff ffff fd14
beq.l back | 5407: 67ff ffff fd08 | 54455 51qe 51em 51jf: 67ff ffff fd0e
bhi.l fwd1 | 5407: 62ff ffff fdd0 | 54455 51qe 51em 51jf: 62ff ffff fdd6
bra.l farfwd | 60ff ffff ffe4
lb1: bra.l lb1 | refused
bra.l back | refused
bsr.l back | refused
bne.l back | refused
