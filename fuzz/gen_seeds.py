#!/usr/bin/env python3
"""Writes small random sources for the fuzzers' seed corpus, deterministically.

    gen_seeds.py OUT_DIR [--count N] [--seed N]

Each source mixes the things whose value or size can change between the
passes or between lines: set and equ (forward ones too), labels used before
and after they are defined, local labels, an include of the fuzzers' inc.i,
macros and rept blocks, conditionals, org (odd addresses too), sections,
dc/ds/dcb lists, opt lines that switch the optimisations or the listing, a
cpu change, xref names, and values just out of a field's range. The first
byte of an input picks the fuzzers' options, so each source starts with a
line whose first character selects a different set of them.
"""
import argparse
import os
import random

# First lines: their first byte is the fuzzers' option byte (see
# fuzz_assemble.cpp); every output format and -l, -f, -r, -c5485, -g occur.
FIRST_LINES = [
    "; option byte: -l -o -c5485 -f -r",
    "* option byte: -o -c5485 -r",
    " nop",
    "\tnop",
    "Ax0 equ 1",
    "Bstart nop",
    "Dx equ 2",
    "Fx equ 3",
    "Hx equ 4",
    "Lx equ 5",
    "Ex equ 6",
    "Cx equ 7",
    "Px equ 8",
    "Rx equ 9",
    "Tx equ 10",
    "bx equ 11",
    "dx equ 12",
    "\xc2",
    "\xc3",
    "",
]


class Gen:
    def __init__(self, rnd):
        self.r = rnd
        self.lines = []
        self.labels = []      # defined so far
        self.forward = []     # used, defined later
        self.n = 0
        self.macros = []
        # Most sources keep clear of errors that stop the run after pass 1
        # (pass 2 is what the replay fuzzer compares); a sloppy one does not.
        self.sloppy = rnd.random() < 0.3
        self.cpu = rnd.choice(["5208", "5485"])
        self.included = False

    def name(self, stem="L"):
        self.n += 1
        return f"{stem}{self.n}"

    def emit(self, text):
        self.lines.append(text)

    def reg(self, kind="d"):
        return f"{kind}{self.r.randrange(8 if kind == 'd' else 7)}"

    def target(self):
        r = self.r
        if self.labels and r.random() < 0.5:
            return r.choice(self.labels)
        t = self.name("F")
        self.forward.append(t)
        return t

    def value(self):
        r = self.r
        return r.choice([0, 1, 7, 8, 9, 127, 128, -128, -129, 255, 256, 32767, 32768, -32768, -32769, 65535,
                         65536, r.randrange(-100000, 100000), "CNT", "EQA", "EQA*2-CNT"] +
                        (["*", "*+2", "EQF"] if self.sloppy else []))

    def settle_forward(self):
        while self.forward and self.r.random() < 0.6:
            t = self.forward.pop(0)
            self.emit(f"{t}:")
            self.labels.append(t)

    def plain(self):
        # A line whose bytes depend on nothing that changes between the
        # passes (registers, numbers, constants, labels above): what pass 2
        # may take from pass 1's records.
        r = self.r
        d, d2, a = self.reg("d"), self.reg("d"), self.reg("a")
        n = r.choice([0, 1, 5, 100, -3, 127, 1000, "EQA", "EQA*4", "K2", "K2-EQA", "$7f"])
        back = r.choice(self.labels[-3:]) if self.labels else "0"
        self.emit(r.choice([
            f" move.l {d},{d2}", f" move.w #{n},{d}", f" add.l #{n},{d}", f" sub.l {d},{d2}", f" moveq #5,{d}",
            f" lea 8({a}),{self.reg('a')}", f" move.b ({a})+,{d}", f" move.l {d},-({a})", f" clr.l {d}",
            f" and.l #{n},{d}", f" or.l #{n},{d}", f" lsl.l #2,{d}", f" cmp.l {d},{d2}", f" tst.w {d}",
            f" move.l {r.choice([0, 4, -2, 'EQA', 'K2'])}({a}),{d}", f" move.w {d},{r.choice([0, 4, -2, 'EQA'])}({a},{d2}.l*2)", f" swap {d}", f" ext.l {d}",
            f" dc.w {n},EQA", f" dc.l {n}", f" dc.b 1,2,3,4", " nop", " rts", f" jsr {back}",
            f" move.l {back},{d}", f" lea {back},{a}", f" bra {back}" if self.labels else " nop", f" beq.w {back}" if self.labels else " nop", f" move.l #{back},{d}",
            f" pea {n}({a})", f" muls.l {d},{d2}", f" divu.l {d2},{d}", f" neg.l {d}",
        ]))

    def instruction(self):
        r = self.r
        d, a = self.reg("d"), self.reg("a")
        size = r.choice(["", ".b", ".w", ".l", ".s"])
        if r.random() < 0.5:
            return self.plain()
        k = r.randrange(24)
        if k == 0: self.emit(f" move.l #{self.value()},{d}")
        elif k == 1: self.emit(f" moveq #{self.value()},{d}")
        elif k == 2: self.emit(f" addq.l #{r.choice([1, 8, 9, 0, 'CNT'])},{d}")
        elif k == 3: self.emit(f" b{r.choice(['ra', 'sr', 'eq', 'ne', 'cc', 'hs'])}{size if self.sloppy else r.choice(['', '.w'])} {self.target()}")
        elif k == 4: self.emit(f" lea {r.choice([self.target(), '0', '40000', '$8000', '16(a0)', '0(a1)'])},{a}")
        elif k == 5: self.emit(f" jsr {self.target()}")
        elif k == 6: self.emit(f" move.w {self.value() if self.sloppy else r.choice([0, 8, -8, 'K2'])}({a}),{d}")
        elif k == 7: self.emit(f" add.l #{self.value()},{d}")
        elif k == 8: self.emit(f" mulu {d},{self.reg('d')}")
        elif k == 9: self.emit(f" divs.w {d},{self.reg('d')}")
        elif k == 10: self.emit(f" move.l {self.target()}(pc),{d}")
        elif k == 11: self.emit(f" move.b ({a},{d}.l*{r.choice([1, 2, 4, 8] if self.sloppy else [1, 2, 4])}),{self.reg('d')}")
        elif k == 12: self.emit(f" dc{size if size != '.s' else '.b'} {self.value()},{self.value()}")
        elif k == 13: self.emit(f" dc.b 'text',0")
        elif k == 14: self.emit(f" ds{r.choice(['.b', '.w', '.l'])} {r.choice([0, 1, 3, 'CNT'])}")
        elif k == 15: self.emit(f" dcb.w {r.choice([2, 'CNT&3'])},{self.value()}")
        elif k == 16: self.emit(r.choice([" even", " cnop 0,4", " align 2"]))
        elif k == 17: self.emit(f" dc.l {self.target()}-*" if self.sloppy else " dc.l 7")
        elif k == 18: self.emit(f" tst{size if size != '.s' else ''} {self.target()}")
        elif k == 19: self.emit(f" mac.w {d}.u,{self.reg('d')}.l" if self.cpu == "5485" else " nop")
        elif k == 20: self.emit(f" fmove.d ({a})+,fp{r.randrange(8)}" if self.cpu == "5485" else " rts")
        elif k == 21: self.emit(f" jmp {r.choice(['EXT', self.target()]) if self.sloppy else self.target()}")
        elif k == 22: self.emit(" dc.w EXT" if self.sloppy else " dc.w EQA")
        else: self.emit(f" subq.l #{r.choice([1, 8, 9] if self.sloppy else [1, 8])},{d}")

    def block(self, depth=0):
        # Labels are made at the outer level only: in a repeat block they
        # would be made again, and in a skipped block not at all.
        r = self.r
        for _ in range(r.randint(20, 50) if depth == 0 else r.randint(3, 10)):
            k = r.randrange(26 if depth < 2 else 8)
            if k < 5 or k > 21:
                self.instruction()
            elif k == 5 and depth == 0:
                lab = self.name("G")
                self.emit(f"{lab}{r.choice([':', ''])}" + ("" if r.random() < 0.5 else " nop"))
                self.labels.append(lab)
                self.emit(".loop: subq.l #1,d0")
                self.emit(" bne.s .loop")
            elif k == 6:
                self.emit(f"CNT set CNT{r.choice(['+1', '*2', '-3'])}")
            elif k == 7 and depth == 0:
                self.settle_forward()
            elif k == 8 and self.macros:
                m = r.choice(self.macros)
                self.emit(f" {m}{r.choice(['.b', '.w', '.l'])} {self.value()},{self.target()}")
            elif k == 9:
                self.emit(f" rept {r.choice([0, 1, 3, 'CNT&3'])}")
                self.block(depth + 1)
                self.emit(" endr")
            elif k == 10:
                cond = r.choice(['CNT', 'EQA-1'] + (['EQF', '*&1'] if self.sloppy else []))
                self.emit(f" {r.choice(['ifeq', 'ifne', 'ifgt', 'iflt'])} {cond}")
                self.block(depth + 1)
                if r.random() < 0.5:
                    self.emit(" else")
                    self.block(depth + 1)
                self.emit(" endc")
            elif k == 11:
                self.emit(f" {r.choice(['ifd', 'ifnd'])} {r.choice(self.labels + ['NOPE'] + (self.forward if self.sloppy else []))}")
                self.block(depth + 1)
                self.emit(" endc")
            elif k == 12 and (self.sloppy or (not self.included and depth == 0)):
                self.emit(' include "inc.i"')
                self.included = True
            elif k == 13:
                self.emit(f" opt {r.choice(['nol', 'optimise=none', 'optimise=all', 'optimise=nomoveq', 'optimise=nobranch', 'optimise=nolea', 'nomuldivwarn', 'packedstrings', 'nopackedstrings', 'brl', 'unsizemode'] + (['l', 'o+', 'object'] if self.sloppy else []))}")
            elif k == 14 and (self.sloppy or depth == 0):
                if self.sloppy:
                    self.emit(f" section {r.choice(['code', 'data', 'bss', '.vectors,code', 'text'])}")
                else:
                    kind = r.choice(["data", "bss"])
                    self.emit(f" section {kind}")
                    self.emit(f"{self.name('V')}: ds.l 2" if kind == "bss" else f"{self.name('V')}: dc.w 1,2")
                    self.emit(" section code")
            elif k == 15 and self.sloppy:
                self.emit(f" org ${r.choice(['1000', '1001', '2000', 'fffe', '100000'])}")
            elif k == 16 and self.sloppy:
                self.emit(f" cpu {r.choice(['5208', '5485', '5407', '5329'])}")
            elif k == 17:
                self.emit(" dc.b 1")
                self.emit(" nop" if self.sloppy else " even")
            elif k == 18 and depth == 0:
                self.emit(f"{self.name('Q')} equ {r.choice(self.forward + ['*', 'CNT'])}")
            elif k == 19 and self.sloppy:
                self.emit(f" bra.s {self.target()}")
                self.emit(f" ds.b {r.choice([120, 130, 200])}")
            elif k == 19 and depth == 0:
                over = self.name("S")
                self.emit(f" bra.s {over}")
                self.emit(f" ds.b {r.choice([2, 20])}")
                self.emit(f"{over}:")
                self.labels.append(over)
            elif k == 20:
                self.emit(f" moveq #{r.choice([127, 128, 'CNT'])},d1")
            elif self.sloppy:
                self.emit("\\@x nop")  # outside a macro: a name of its own
            else:
                self.instruction()

    def source(self):
        r = self.r
        first = r.choice(FIRST_LINES)
        self.emit(first)
        self.emit(f" cpu {self.cpu}")
        self.emit(" xref EXT")
        self.emit(f"CNT set {r.randint(0, 5)}")
        self.emit(f"EQA equ {r.choice([1, 2, 100])}")
        self.emit(f"K2 equ {r.choice([3, 60, 4096])}")
        self.emit("EQF equ LATE-EQA")
        for _ in range(r.randint(0, 2)):
            m = self.name("mac")
            self.macros.append(m)
            self.emit(f"{m} macro")
            self.emit(" move.\\0 #\\1,d0")
            self.emit(" bne \\2")
            self.emit(".m\\@ subq.l #1,d0\n bne .m\\@" if r.random() < 0.3 else "l\\@: nop")
            self.emit(" ifc '\\3',''")
            self.emit(" nop")
            self.emit(" endc")
            self.emit(" endm")
        self.block()
        while self.forward:
            self.settle_forward()
        self.emit("LATE: rts")
        if r.random() < 0.3 and self.sloppy:
            self.emit(" end")
            self.emit(" illegal text after end")
        return "\n".join(self.lines) + "\n"


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("out")
    ap.add_argument("--count", type=int, default=60)
    ap.add_argument("--seed", type=int, default=1)
    args = ap.parse_args()
    os.makedirs(args.out, exist_ok=True)
    for i in range(args.count):
        text = Gen(random.Random(args.seed * 100003 + i)).source()
        with open(os.path.join(args.out, f"gen_{i:03d}.s"), "wb") as f:
            f.write(text.encode("latin-1"))


if __name__ == "__main__":
    main()
