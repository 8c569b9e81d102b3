"""Random small sources, written twice: for tobra and for the GNU assembler.

A program is a list of lines in code, data and bss, switching sections
several times. Values come from labels of every section (defined before or
after their use), external names, equates of constants, of labels, of label
differences and of external names plus a constant, and `set` names. Each
line is kept as a pair (tobra text, GNU text); `render` puts the pairs
together for one of the output variants.
"""

import random

SECTIONS = ("code", "data", "bss", "basedata", "basebss")
GNU_SECTION = {"code": ".text", "data": ".data", "bss": ".bss",
               "basedata": '.section .sdata,"aw",@progbits', "basebss": '.section .sbss,"aw",@nobits'}
ELF_NAME = {"code": ".text", "data": ".data", "bss": ".bss", "basedata": ".sdata", "basebss": ".sbss"}
# Where each section starts in the absolute variant and in the link.
ORIGIN = {"code": 0x1000, "data": 0x4000, "bss": 0x6000, "basedata": 0x7000, "basebss": 0x7800}
BSS_LIKE = ("bss", "basebss")
# External names: "small" ones stand for values a byte or a word holds, so
# that every field kind can name them and still link.
EXT_VALUES = {"e_s0": 0x24, "e_s1": 0x3A, "e_w0": 0x1F00, "e_w1": 0x2468}


def num(v, rnd):
    """A constant written as decimal or hexadecimal (both tools read both)."""
    if v < 0:
        return "-" + num(-v, rnd)[0], "-" + num(-v, rnd)[1]
    if rnd.random() < 0.5:
        return str(v), str(v)
    return "$%x" % v, "0x%x" % v


class Program:
    def __init__(self, seed, cpu="5208"):
        self.rnd = random.Random(seed)
        self.seed = seed
        self.cpu = cpu
        self.isa_b = cpu in ("5407",)
        r = self.rnd
        self.lines = []  # (section or None, tobra, gnu, tags)
        self.tags = set()  # features used: decide which comparisons apply
        # Labels per section, defined at random places; `pairs` are labels
        # around a small block of known size, for byte-sized differences.
        # Most sources use code, data and bss; some the base sections too.
        self.used = SECTIONS if r.random() < 0.3 else SECTIONS[:3]
        self.labels = {s: ["%s_%d" % ({"basedata": "sd", "basebss": "sb"}.get(s, s[0]), i)
                           for i in range(r.randint(2, 5) if s in self.used else 0)] for s in SECTIONS}
        self.undefined = {s: list(self.labels[s]) for s in SECTIONS}
        self.pairs = []  # (a, b, size)
        self.exts = list(EXT_VALUES)
        self.const_equs = {}  # name -> value
        self.set_value = {}  # name -> value at this point of the source
        self.parity = {s: 0 for s in SECTIONS}
        self.near = 0
        self.set_labels = set()
        self.globals = set()

    # ---- values -------------------------------------------------------
    def fresh(self):
        return "f%d" % self.count()

    def count(self):
        self.serial = getattr(self, "serial", 0) + 1
        return self.serial

    def const(self, lo, hi):
        v = self.rnd.randint(lo, hi)
        return num(v, self.rnd) + (v,)

    def any_label(self, sections=None):
        s = self.rnd.choice([x for x in (sections or SECTIONS) if self.labels[x]] or ["code"])
        return self.rnd.choice(self.labels[s]), s

    def wide_value(self):
        """A value a long holds: anything relocatable or constant."""
        r = self.rnd
        k = r.randrange(13)
        if k == 0:
            t, g, _ = self.const(-100000, 100000)
            return t, g
        if k == 9:
            # A label plus and minus constants in parentheses.
            lab, _ = self.any_label()
            a, b = r.randint(0, 20), r.randint(0, 20)
            return "(%s+%d)-%d" % (lab, a, b), "(%s+%d)-%d" % (lab, a, b)
        if k == 10:
            # An equate of an equate (of a label: GNU gets a chain of
            # forward equates of a label difference wrong).
            lab, _ = self.any_label()
            return self.equate_of(self.equate_of(self.plus(lab, 0, 20)))
        if k == 11 and self.set_labels:
            n = r.choice(sorted(self.set_labels))
            return n, n
        if k == 12:
            lab, _ = self.any_label()
            c = r.randint(1, 20)
            return "-%d+%s" % (c, lab), "-%d+%s" % (c, lab)
        if k in (1, 2):
            lab, _ = self.any_label()
            return self.plus(lab, -8, 40)
        if k == 3:
            return self.plus(r.choice(self.exts), -8, 40)
        if k == 4:
            return self.equate_of(self.wide_value_simple())
        if k == 5:
            return self.difference()
        if k == 6 and self.set_value:
            n = r.choice(sorted(self.set_value))
            return n, n
        if k == 7:
            return self.based_equate()
        if k == 8 and self.pairs:
            return self.pair_difference()
        t, g, _ = self.const(0, 255)
        return t, g

    def wide_value_simple(self):
        r = self.rnd
        if r.random() < 0.5:
            lab, _ = self.any_label()
            return self.plus(lab, 0, 20)
        return self.difference()

    def plus(self, name, lo, hi):
        c = self.rnd.randint(lo, hi)
        if c == 0:
            return name, name
        if c > 0:
            t, g = num(c, self.rnd)
            return name + "+" + t, name + "+" + g
        t, g = num(-c, self.rnd)
        return name + "-" + t, name + "-" + g

    def difference(self):
        s = self.rnd.choice(self.used)
        a, b = self.rnd.choice(self.labels[s]), self.rnd.choice(self.labels[s])
        self.tags.add("difference")
        return a + "-" + b, a + "-" + b

    def pair_difference(self):
        a, b, _ = self.rnd.choice(self.pairs)
        if self.rnd.random() < 0.5:
            return b + "-" + a, b + "-" + a
        return "(" + b + "-" + a + ")+1", "(" + b + "-" + a + ")+1"

    def small_value(self, lo, hi, ext_ok=True):
        """A value a byte-sized field holds (signed range lo..hi)."""
        r = self.rnd
        k = r.randrange(6)
        if k == 0 and self.pairs:
            return self.pair_difference()
        if k == 1 and ext_ok:
            self.tags.add("ext_small")
            return self.plus(r.choice(["e_s0", "e_s1"]), 0, 10)
        if k == 2:
            v = r.randint(max(lo, -50), min(hi, 50))
            name = "k_%d" % len(self.const_equs)
            self.const_equs[name] = v
            return name, name
        if k == 3 and self.set_value:
            cands = [n for n, v in self.set_value.items() if lo <= v <= hi]
            if cands:
                n = r.choice(sorted(cands))
                return n, n
        t, g, _ = self.const(lo, hi)
        return t, g

    def equate_of(self, val):
        name = "q_%d" % self.count()
        t, g = val
        # The equate goes at a random earlier or later place: forward equates.
        self.pending_equates.append((name, t, g))
        return name, name

    def based_equate(self):
        name = "x_%d" % self.count()
        t, g = self.plus(self.rnd.choice(self.exts), 1, 30)
        self.pending_equates.append((name, t, g))
        self.tags.add("based")
        return name, name

    # ---- lines --------------------------------------------------------
    def emit(self, sec, t, g, size=0, abs_t=None):
        """abs_t: the tobra text in the absolute variant, where it differs."""
        self.lines.append((sec, t, g, abs_t) if abs_t else (sec, t, g))
        self.parity[sec] = (self.parity[sec] + size) & 1

    def label_here(self, sec):
        if self.undefined[sec] and self.rnd.random() < 0.35:
            lab = self.undefined[sec].pop(self.rnd.randrange(len(self.undefined[sec])))
            self.lines.append((sec, lab + ":", lab + ":"))

    def even(self, sec):
        if self.parity[sec]:
            self.emit(sec, "        even", "        .balign 2,0", 1)

    def code_line(self):
        r = self.rnd
        sec = "code"
        self.even(sec)
        k = r.randrange(30)
        if k == 0:
            t, g = self.wide_value()
            self.emit(sec, "        move.l  #%s,(a1)" % t, "        move.l  #%s,(a1)" % g)
        elif k == 1:
            t, g = self.word_value()
            self.emit(sec, "        move.w  #%s,(a1)" % t, "        move.w  #%s,(a1)" % g)
        elif k == 2:
            # GNU writes the upper byte of a negative byte immediate as
            # $FF when the value is known and as 0 when it is fixed up later.
            t, g = self.small_value(0, 127)
            self.emit(sec, "        move.b  #%s,(a1)" % t, "        move.b  #%s,(a1)" % g)
        elif k == 3:
            t, g = self.wide_value()
            self.emit(sec, "        move.l  (%s).l,d1" % t, "        move.l  (%s).l,%%d1" % g)
        elif k == 4:
            t, g = self.word_value()
            self.tags.add("abs_w")
            self.emit(sec, "        move.w  (%s).w,d1" % t, "        move.w  (%s).w,%%d1" % g)
        elif k == 5:
            t, g = self.disp16()
            self.emit(sec, "        move.l  %s(a2),d1" % t, "        move.l  %s(%%a2),%%d1" % g)
        elif k == 6:
            t, g = self.small_value(-128, 127)
            self.emit(sec, "        lea     (%s,a0,d1.l*4),a1" % t, "        lea     (%s,%%a0,%%d1.l*4),%%a1" % g)
        elif k == 7:
            t, g = self.pc_target()
            self.emit(sec, "        lea     %s(pc),a1" % t, "        lea     %s(%%pc),%%a1" % g)
        elif k == 8:
            self.near_pc8()
        elif k == 9:
            self.branch()
        elif k == 10:
            t, g = self.small_value(-128, 127)
            self.emit(sec, "        moveq   #%s,d3" % t, "        moveq   #%s,%%d3" % g)
        elif k == 11:
            v = r.randint(1, 8)
            self.emit(sec, "        addq.l  #%d,d2" % v, "        addq.l  #%d,%%d2" % v)
        elif k == 12:
            t, g = self.wide_value()
            self.emit(sec, "        lea     (%s).l,a3" % t, "        lea     (%s).l,%%a3" % g)
        elif k == 13:
            t, g = self.wide_value()
            self.emit(sec, "        pea     (%s).l" % t, "        pea     (%s).l" % g)
        elif k == 14:
            t, g = self.wide_value()
            self.emit(sec, "        jsr     (%s).l" % t, "        jsr     (%s).l" % g)
        elif k == 15:
            t, g = self.disp16()
            self.emit(sec, "        movem.l d0-d2/a4,%s(a5)" % t, "        movem.l %%d0-%%d2/%%a4,%s(%%a5)" % g)
        elif k == 16:
            t, g = self.pc_target()
            self.emit(sec, "        jsr     %s(pc)" % t, "        jsr     %s(%%pc)" % g)
        elif k == 17:
            self.data_line(sec)
        elif k == 18:
            n = r.choice([4, 8])
            self.emit(sec, "        cnop    0,%d" % n, "        .balignw %d,0x51fc" % n)
            self.tags.add("cnop")
        elif k == 19:
            t, g = self.wide_value()
            self.emit(sec, "        move.l  #%s,a4" % t, "        move.l  #%s,%%a4" % g)
        elif k == 20:
            t, g = self.wide_value()
            self.emit(sec, "        move.l  d4,(%s).l" % t, "        move.l  %%d4,(%s).l" % g)
        elif k == 21:
            t, g = self.disp16()
            self.emit(sec, "        lea     %s(a6),a0" % t, "        lea     %s(%%a6),%%a0" % g)
        elif k == 22:
            self.emit(sec, "        nop", "        nop")
        elif k == 24:
            # The address of the line itself.
            c = r.randint(0, 30)
            self.emit(sec, "        move.l  #*+%d,(a1)" % c, "        move.l  #.+%d,(a1)" % c)
        elif k == 25:
            lab = r.choice(self.labels["code"])
            self.emit(sec, "        dc.w    *-%s" % lab, "        .word   .-%s" % lab)
        elif k == 26:
            self.here_equate(sec)
        elif k == 27:
            self.local_loop()
        elif k == 28 and self.isa_b:
            v = r.choice([-1, 1, 2, 3, 4, 5, 6, 7])
            t, g = self.wide_value()
            self.emit(sec, "        mov3q.l #%d,(%s).l" % (v, t), "        mov3q.l #%d,(%s).l" % (v, g))
        elif k == 29:
            n = r.randint(1, 3)
            t, g = self.wide_value()
            self.emit(sec, "        dcb.l   %d,%s" % (n, t), "        .rept %d\n        .long %s\n        .endr" % (n, g))
        else:
            # Room in code; in the absolute variant a gap left by org or rorg.
            n = r.choice([2, 4, 6])
            self.tags.add("ds_code")
            self.emit(sec, "        ds.b    %d" % n, "        .skip   %d" % n, 0,
                      "        %s     *+%d" % (r.choice(["org", "rorg"]), n))

    def here_equate(self, sec):
        """A name for the place of the line, used later or earlier."""
        name = "h_%d" % self.count()
        self.lines.append((sec, "%s equ *" % name, "        .equ %s, ." % name))
        self.labels[sec].append(name)

    def local_loop(self):
        n = "l%d" % self.count()
        self.lines.append(("code", ".%s:" % n, ".L%s:" % n))
        self.emit("code", "        subq.l  #1,d0", "        subq.l  #1,%d0")
        self.emit("code", "        bne.s   .%s" % n, "        bne.s   .L%s" % n)
        self.emit("code", "        lea     .%s(pc),a2" % n, "        lea     .L%s(%%pc),%%a2" % n)

    def word_value(self):
        r = self.rnd
        k = r.randrange(6)
        if k == 0:
            lab, _ = self.any_label()
            return self.plus(lab, 0, 16)
        if k == 1:
            self.tags.add("ext_small")
            return self.plus(r.choice(self.exts), 0, 16)
        if k == 2:
            return self.difference()
        if k == 3:
            return self.small_value(-128, 127)
        t, g, _ = self.const(-32768, 32767)
        return t, g

    def disp16(self):
        r = self.rnd
        k = r.randrange(5)
        if k == 0:
            v = r.choice([-1, 1]) * r.randint(1, 32767)
            t, g = num(v, r)
            return t, g
        if k == 1 and self.pairs:
            t, g = self.pair_difference()
            return "(" + t + ")", "(" + g + ")"
        if k == 2:
            self.tags.add("ext_small")
            t, g = self.plus(r.choice(self.exts), 1, 16)
            return "(" + t + ")", "(" + g + ")"
        # A label as d16(An) is taken as base-relative (basedata/basebss
        # only) and refused elsewhere: GNU writes R_68K_16 for it.
        v = r.randint(1, 200)
        name = "k_%d" % len(self.const_equs)
        self.const_equs[name] = v
        return name, name

    def pc_target(self):
        r = self.rnd
        k = r.randrange(4)
        if k == 0:
            self.tags.add("pc_ext")
            t, g = self.plus(r.choice(["e_w0", "e_w1"]), 0, 8)
        elif k == 1:
            self.tags.add("pc_other")
            lab, _ = self.any_label(("data", "bss"))
            t, g = self.plus(lab, 0, 8)
        else:
            lab = r.choice(self.labels["code"])
            t, g = self.plus(lab, 0, 8)
            t, g = (t, g) if r.random() < 0.7 else (lab, lab)
        return "(" + t + ")", "(" + g + ")"

    def near_pc8(self):
        r = self.rnd
        n = "n_%d" % self.near
        self.near += 1
        before = r.random() < 0.5
        # A byte branch to the next word has no encoding (0 means a word branch).
        fill = ["        nop"] * r.randint(0 if before else 1, 3)
        if before:
            self.emit("code", n + ":", n + ":")
        for f in fill:
            self.emit("code", f, f)
        if r.random() < 0.5:
            self.emit("code", "        lea     (%s,pc,d0.l),a1" % n, "        lea     (%s,%%pc,%%d0.l),%%a1" % n)
        else:
            op = r.choice(["bra", "bsr", "beq", "bne"])
            self.emit("code", "        %s.s   %s" % (op, n), "        %s.s   %s" % (op, n))
        for f in fill:
            self.emit("code", f, f)
        if not before:
            self.emit("code", n + ":", n + ":")

    def branch(self):
        r = self.rnd
        op = r.choice(["bra", "bsr", "bne", "bgt"])
        sizes = ["w"] + (["l"] if self.isa_b else [])
        size = r.choice(sizes)
        k = r.randrange(5)
        if k == 0:
            self.tags.add("pc_ext")
            t, g = self.plus(r.choice(["e_w0", "e_w1"]), 0, 6)
            if t not in ("e_w0", "e_w1"):
                self.tags.add("branch_ext_const")
        elif k == 1:
            self.tags.add("pc_other")
            lab, _ = self.any_label(("data",))
            t, g = lab, lab
        elif k == 2 and False:
            pass
        else:
            lab = r.choice(self.labels["code"])
            t, g = lab, lab
        self.emit("code", "        %s.%s   %s" % (op, size, t), "        %s.%s   %s" % (op, size, g))

    def data_line(self, sec):
        r = self.rnd
        k = r.randrange(13)
        if k == 9:
            self.even(sec)
            lab = r.choice(self.labels[sec])
            c = r.randint(0, 9)
            self.emit(sec, "        dc.l    *+%d,%s-*" % (c, lab), "        .long   .+%d,%s-(.-4)" % (c, lab))
            return
        if k == 10:
            # A difference plus a label of any section, grouped.
            self.even(sec)
            s2 = r.choice(self.used)
            a, b = r.choice(self.labels[s2]), r.choice(self.labels[s2])
            lab, _ = self.any_label()
            self.emit(sec, "        dc.l    (%s-%s)+%s" % (a, b, lab), "        .long   (%s-%s)+%s" % (a, b, lab))
            return
        if k == 11:
            # A distance to an external name in a word or a byte.
            self.even(sec)
            e = r.choice(["e_w0", "e_w1"] if sec == "code" else self.exts)
            self.tags.add("pc_ext")
            self.tags.add("distance")
            if r.random() < 0.1 and sec != "code":
                self.tags.add("pc8_distance")
                self.emit(sec, "        dc.b    %s-*" % "e_s0", "        .byte   e_s0-.", 1)
            else:
                self.emit(sec, "        dc.w    %s-*" % e, "        .word   %s-." % e)
            return
        if k == 12:
            lab = r.choice(self.labels[sec])
            if sec == "code":
                lab = r.choice(self.labels[sec])
            self.emit(sec, "%s_x dc.b %d" % (self.fresh(), r.randint(0, 255)), None, 1)
            n = self.lines[-1][1].split()[0]
            self.lines[-1] = (sec, self.lines[-1][1], "%s: .byte %s" % (n, self.lines[-1][1].split()[-1]))
            self.labels[sec].append(n)
            return
        if k == 0:
            self.even(sec)
            t, g = self.wide_value()
            self.emit(sec, "        dc.l    %s" % t, "        .long   %s" % g, 0)
        elif k == 1:
            self.even(sec)
            t, g = self.word_value()
            self.emit(sec, "        dc.w    %s" % t, "        .word   %s" % g, 0)
        elif k == 2:
            items = [self.small_value(-128, 255) for _ in range(r.randint(1, 3))]
            self.emit(sec, "        dc.b    " + ",".join(i[0] for i in items),
                      "        .byte   " + ",".join(i[1] for i in items), len(items))
        elif k == 3:
            s = "".join(r.choice("abcxyz019 ") for _ in range(r.randint(1, 6)))
            self.emit(sec, "        dc.b    '%s'" % s, '        .ascii  "%s"' % s, len(s))
        elif k == 4:
            self.even(sec)
            # A distance from the field to a label or an external name.
            if r.random() < 0.5:
                lab, s = self.any_label([x for x in self.used if x != sec])
                self.tags.add("pc_other")
                t, g = lab, lab
            else:
                self.tags.add("pc_ext")
                t, g = r.choice(self.exts), None
                g = t
            self.tags.add("distance")
            self.emit(sec, "        dc.l    %s-*" % t, "        .long   %s-." % g)
        elif k == 5:
            self.pair_block(sec)
        elif k == 6:
            n = r.choice([2, 4, 8])
            self.emit(sec, "        align   %d" % n, "        .balign %d,0" % n)
            self.parity[sec] = 0
        elif k == 7:
            self.even(sec)
            items = [self.wide_value() for _ in range(r.randint(2, 3))]
            self.emit(sec, "        dc.l    " + ",".join(i[0] for i in items),
                      "        .long   " + ",".join(i[1] for i in items))
        else:
            n = r.randint(1, 5)
            # An odd origin is lowered by one (with a warning): keep them even.
            even_target = (self.parity[sec] + n) % 2 == 0
            alt = "        org     *+%d" % n if r.random() < 0.3 and even_target else None
            self.emit(sec, "        ds.b    %d" % n, "        .skip   %d" % n, n, alt)

    def pair_block(self, sec):
        r = self.rnd
        a = "p_%d" % len(self.pairs)
        b = a + "e"
        n = r.randint(1, 40)
        self.emit(sec, a + ":", a + ":")
        fill = r.randint(0, 255)
        if sec in BSS_LIKE:
            self.emit(sec, "        ds.b    %d" % n, "        .skip   %d" % n, n)
        else:
            self.emit(sec, "        dcb.b   %d,%d" % (n, fill), "        .fill   %d,1,%d" % (n, fill), n)
        self.emit(sec, b + ":", b + ":")
        self.pairs.append((a, b, n))

    def bss_line(self, sec):
        r = self.rnd
        k = r.randrange(4)
        if k == 0:
            n = r.choice([2, 4, 8])
            self.emit(sec, "        align   %d" % n, "        .balign %d" % n)
            self.parity[sec] = 0
        elif k == 1:
            self.pair_block(sec)
        elif k == 2:
            self.even(sec)
            n = r.randint(1, 4)
            self.emit(sec, "        ds.w    %d" % n, "        .skip   %d" % (2 * n))
        else:
            n = r.randint(1, 9)
            self.emit(sec, "        ds.b    %d" % n, "        .skip   %d" % n, n)

    def generate(self):
        r = self.rnd
        self.pending_equates = []
        # `set` names before any use, set again along the way.
        self.head = []
        for i in range(r.randint(0, 2)):
            v = r.randint(-100, 100)
            self.set_value["s_%d" % i] = v
            self.head.append(("s_%d" % i, v))
        for _ in range(r.randint(3, 8)):
            sec = r.choice(self.used)
            for _ in range(r.randint(1, 8)):
                self.label_here(sec)
                if sec == "code":
                    self.code_line()
                elif sec in BSS_LIKE:
                    self.bss_line(sec)
                else:
                    self.data_line(sec)
                if r.random() < 0.04:
                    n = "r_%d" % self.count()
                    # A set expression must be known at its line.
                    known = [l for x in SECTIONS for l in self.labels[x] if l not in self.undefined[x]]
                    t, g = self.plus(r.choice(known + self.exts), 0, 12)
                    self.lines.append((sec, "%s set %s" % (n, t), "        .set %s, %s" % (n, g)))
                    self.set_labels.add(n)
                    self.tags.add("set_label")
                if self.set_value and r.random() < 0.05:
                    n = r.choice(sorted(self.set_value))
                    v = r.randint(-100, 100)
                    self.set_value[n] = v
                    self.lines.append((sec, "%s set %d" % (n, v), "        .set %s, %d" % (n, v)))
        for sec in SECTIONS:
            for lab in self.undefined[sec]:
                self.lines.append((sec, lab + ":", lab + ":"))
                if sec == "code":
                    self.even(sec)
                    self.lines.append((sec, "        nop", "        nop"))
            self.undefined[sec] = []
        for sec in SECTIONS:
            for lab in self.labels[sec]:
                if r.random() < 0.15 and not lab.startswith("h_"):
                    self.globals.add(lab)
        # Equates: some at the top (backward), the rest at the end (forward).
        self.top_equates, self.end_equates = [], []
        eqs = [(n, str(v), str(v)) for n, v in self.const_equs.items()] + self.pending_equates
        for e in eqs:
            (self.top_equates if r.random() < 0.4 and not e[0].startswith("q_") else self.end_equates).append(e)
        return self

    # ---- output ---------------------------------------------------------
    def render(self, variant):
        """variant: 'elf' (tobra --elf and -o), 'abs' (tobra with org), 'gnu'."""
        gnu = variant == "gnu"
        out = []
        if not gnu:
            out.append("        cpu     %s" % self.cpu)
        if variant == "elf":
            out.append("        xref    " + ",".join(self.exts))
        elif variant == "abs":
            for n, v in EXT_VALUES.items():
                out.append("%s equ $%x" % (n, v))
        for n in sorted(self.globals):
            out.append("        .globl %s" % n if gnu else "        xdef    %s" % n)
        for n, v in self.head:
            out.append("        .set %s, %d" % (n, v) if gnu else "%s set %d" % (n, v))
        for n, t, g in self.top_equates:
            out.append("        .equ %s, %s" % (n, g) if gnu else "%s equ %s" % (n, t))
        cur = None
        seen = set()
        for line in self.lines:
            sec, t, g = line[:3]
            if variant == "abs" and len(line) > 3:
                t = line[3]
            if sec != cur:
                cur = sec
                out.append("        " + GNU_SECTION[sec] if gnu else "        section %s" % sec)
                if variant == "abs" and sec not in seen:
                    out.append("        org     $%x" % ORIGIN[sec])
                seen.add(sec)
            out.append(g if gnu else t)
        for n, t, g in self.end_equates:
            out.append("        .equ %s, %s" % (n, g) if gnu else "%s equ %s" % (n, t))
        return "\n".join(out) + "\n"
