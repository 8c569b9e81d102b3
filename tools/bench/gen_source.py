#!/usr/bin/env python3
"""Generates a realistic ColdFire source of a given number of lines, deterministically.

Writes NAME.s for tobra and NAME.gnu.s for the GNU assembler: the two hold the same
instructions and differ only where the two dialects spell a directive differently
(equates). Usage: gen_source.py LINES OUT_PREFIX [--seed N] [--label-every K]
"""
import argparse
import random


def generate(lines, seed, label_every):
    rnd = random.Random(seed)
    out_t, out_g = [], []
    equates = 40
    for i in range(equates):
        v = rnd.randrange(-100, 30000)
        out_t.append(f"EQ{i} equ {v}")
        out_g.append(f"EQ{i} = {v}")
    body = lines - equates - 1  # the final rts
    labels = []          # defined so far (backward targets)
    pending_forward = 0  # forward labels referenced but not yet defined
    next_label = 0
    since_label = 0
    gap = label_every or rnd.randint(3, 5)

    def d():
        return f"d{rnd.randrange(8)}"

    def a():
        return f"a{rnd.randrange(7)}"

    def disp():
        return rnd.randrange(-512, 512) * 2

    def src_ea(size="l"):
        k = rnd.randrange(9)
        if k == 0: return d()
        if k == 1: return f"({a()})"
        if k == 2: return f"({a()})+"
        if k == 3: return f"-({a()})"
        if k == 4: return f"{disp()}({a()})"
        if k == 5: return f"{rnd.randrange(-64, 64)}({a()},{d()}.l*{rnd.choice([1, 2, 4])})"
        if k == 6 and labels: return rnd.choice(labels)
        if k == 7 and size != "b": return f"#EQ{rnd.randrange(equates)}"
        if size == "b": return f"#{rnd.randrange(-128, 128)}"
        return f"#{rnd.randrange(-30000, 30000)}"

    def dst_mem():
        k = rnd.randrange(6)
        if k == 0: return f"({a()})"
        if k == 1: return f"({a()})+"
        if k == 2: return f"-({a()})"
        if k == 3: return f"{disp()}({a()})"
        if k == 4: return f"{rnd.randrange(-64, 64)}({a()},{d()}.l*2)"
        return rnd.choice(labels) if labels else f"({a()})"

    def target():
        nonlocal pending_forward
        if labels and rnd.random() < 0.6:
            return rnd.choice(labels[-20:])
        pending_forward = max(pending_forward, 1)
        return f"L{next_label}"

    produced = 0
    while produced < body:
        if since_label >= gap or not labels and produced == 0:
            name = f"L{next_label}"
            next_label += 1
            labels.append(name)
            line = f"{name}:"
            since_label = 0
            gap = label_every or rnd.randint(3, 5)
            # a label stands alone half of the time (always, for the label-density runs)
            if label_every or rnd.random() < 0.5:
                produced += 1
                out_t.append(line)
                out_g.append(line)
                continue
            prefix = line
        else:
            prefix = ""
        since_label += 1
        k = rnd.randrange(100)
        if k < 30:
            size = rnd.choice(["b", "w", "l"])
            if rnd.random() < 0.5:
                ins = f"move.{size} {src_ea(size)},{d()}"
            else:
                ins = f"move.{size} {d()},{dst_mem()}"
        elif k < 35:
            ins = f"move.l {src_ea()},{a()}"
        elif k < 50:
            op = rnd.choice(["add", "sub", "and", "or"])
            if rnd.random() < 0.5:
                ins = f"{op}.l {src_ea() if op in ('add', 'sub') else d()},{d()}"
            else:
                ins = f"{op}.l {d()},{dst_mem()}"
        elif k < 56:
            ins = rnd.choice([f"addq.l #{rnd.randint(1, 8)},{d()}", f"subq.l #{rnd.randint(1, 8)},{a()}",
                              f"neg.l {d()}", f"not.l {d()}", f"ext.l {d()}", f"swap {d()}",
                              f"lsl.l #{rnd.randint(1, 8)},{d()}", f"asr.l {d()},{d()}",
                              f"addi.l #{rnd.randrange(1000, 100000)},{d()}", f"muls.w {d()},{d()}",
                              f"mulu.l {d()},{d()}", f"eor.l {d()},{d()}", f"clr.l {d()}"])
        elif k < 66:
            ins = rnd.choice([f"cmp.l {d()},{d()}", f"cmp.l #{rnd.randrange(-1000, 1000)},{d()}",
                              f"cmpa.l {a()},{a()}", f"tst.l {d()}", f"tst.b ({a()})",
                              f"cmp.l {disp()}({a()}),{d()}"])
        elif k < 80:
            ins = f"{rnd.choice(['bra', 'bne', 'beq', 'bgt', 'blt', 'bcc', 'bcs', 'bsr'])} {target()}"
        elif k < 88:
            ins = rnd.choice([f"lea {disp()}({a()}),{a()}", f"lea {rnd.choice(labels) if labels else '0(a0)'},{a()}",
                              f"pea ({a()})", f"jsr {rnd.choice(labels) if labels else '(a0)'}", f"jsr ({a()})"])
        elif k < 92:
            ins = rnd.choice([f"movem.l d0-d{rnd.randint(1, 7)}/a0-a{rnd.randint(0, 5)},(a7)",
                              f"movem.l {disp()}(a6),d0-d{rnd.randint(1, 7)}"])
        else:
            if labels and rnd.random() < 0.5:
                ins = "dc.l " + ",".join(rnd.choice(labels) for _ in range(4))
            else:
                ins = "dc.w " + ",".join(str(rnd.randrange(65536)) for _ in range(6))
        line = f"{prefix} {ins}" if prefix else f" {ins}"
        out_t.append(line)
        out_g.append(line)
        produced += 1
    # every label referenced forward is defined before the end
    tail = f"L{next_label}:"
    out_t.append(tail + " rts")
    out_g.append(tail + " rts")
    return out_t, out_g


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("lines", type=int)
    ap.add_argument("prefix")
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--label-every", type=int, default=0)
    args = ap.parse_args()
    t, g = generate(args.lines, args.seed, args.label_every)
    with open(args.prefix + ".s", "w") as f:
        f.write("\n".join(t) + "\n")
    with open(args.prefix + ".gnu.s", "w") as f:
        f.write("\n".join(g) + "\n")


if __name__ == "__main__":
    main()
