#!/usr/bin/env python3
"""Differential check of tobra against the GNU assembler and linker.

For each seed: a random source (gen.py) in tobra and GNU syntax; then
  elf   tobra --elf against GNU as: section bytes, sizes and relocations;
  link  both objects linked at the same addresses: the loaded bytes;
  abs   the same source with org and the external names as equates:
        S-records, -b and --ihex against the GNU link;
  obj   -o: every field a relocation of tobra's own ELF object names has a
        reference or a relocation of the same width in the native object,
        and an absolute field holds the value the ELF addend says.
Every difference is printed with the seed; the sources stay in the work
directory (--keep) for a look.
"""

import argparse
import os
import shutil
import struct
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import gen  # noqa: E402

AS = ["m68k-linux-gnu-as", "--register-prefix-optional"]
LD = "m68k-linux-gnu-ld"
def link_script():
    return """SECTIONS {
  .text 0x%x : { *(.text) }
  .data 0x%x : { *(.data) }
  .bss 0x%x : { *(.bss) }
  .sdata 0x%x : { *(.sdata) }
  .sbss 0x%x : { *(.sbss) }
  /DISCARD/ : { *(.comment) *(.note.GNU-stack) }
}
""" % tuple(gen.ORIGIN[s] for s in gen.SECTIONS)


RTYPE = {1: "32", 2: "16", 3: "8", 4: "PC32", 5: "PC16", 6: "PC8"}


def run(cmd, cwd):
    p = subprocess.run(cmd, cwd=cwd, capture_output=True, text=True)
    return p.returncode, p.stdout + p.stderr


# ---- a small ELF reader ---------------------------------------------------
def read_elf(path):
    data = open(path, "rb").read()
    shoff, = struct.unpack(">I", data[32:36])
    shentsize, shnum, shstrndx = struct.unpack(">HHH", data[46:52])
    secs = []
    for i in range(shnum):
        f = struct.unpack(">IIIIIIIIII", data[shoff + i * shentsize: shoff + i * shentsize + 40])
        secs.append(dict(name_off=f[0], type=f[1], flags=f[2], addr=f[3], offset=f[4], size=f[5],
                         link=f[6], info=f[7], align=f[8], entsize=f[9]))
    strtab = secs[shstrndx]

    def cstr(base, off):
        end = data.index(b"\0", base + off)
        return data[base + off:end].decode()

    for s in secs:
        s["name"] = cstr(strtab["offset"], s["name_off"])
        s["bytes"] = data[s["offset"]:s["offset"] + s["size"]] if s["type"] != 8 else b""
    syms = []
    for s in secs:
        if s["type"] == 2:
            st = secs[s["link"]]
            for j in range(s["size"] // 16):
                name, value, size, info, other, shndx = struct.unpack(
                    ">IIIBBH", data[s["offset"] + 16 * j: s["offset"] + 16 * j + 16])
                syms.append(dict(name=cstr(st["offset"], name), value=value, info=info, shndx=shndx))
    relocs = []
    for s in secs:
        if s["type"] == 4:
            target = secs[s["info"]]["name"]
            for j in range(s["size"] // 12):
                off, info, addend = struct.unpack(">IIi", data[s["offset"] + 12 * j: s["offset"] + 12 * j + 12])
                sym = syms[info >> 8]
                if sym["name"]:
                    name, value = sym["name"], 0
                    if sym["shndx"] not in (0, 0xFFF1):
                        # A label: counted from its section (GNU relocates
                        # against an exported one by name, tobra by section).
                        name, value = secs[sym["shndx"]]["name"], sym["value"]
                else:
                    name, value = secs[sym["shndx"]]["name"], 0
                relocs.append((target, off, RTYPE.get(info & 0xFF, str(info & 0xFF)), name, addend + value))
    return secs, syms, sorted(relocs)


def sections_of(path):
    secs, _, relocs = read_elf(path)
    keep = {s["name"]: s for s in secs if s["name"] in gen.ELF_NAME.values()}
    # GNU leaves a PC-relative field to an exported label of the field's own
    # section to the linker; tobra settles it. The link compares those.
    settled = [r for r in relocs if r[2].startswith("PC") and r[3] == r[0]]
    for target, off, typ, _, _ in settled:
        w = {"PC32": 4, "PC16": 2, "PC8": 1}[typ]
        s = keep[target]
        s["masked"] = s.get("masked", set()) | set(range(off, off + w))
    relocs = [r for r in relocs if r not in settled]
    return keep, relocs


# ---- images -----------------------------------------------------------------
def srec_map(path):
    out = {}
    for line in open(path):
        line = line.strip()
        if not line or line[1] not in "123":
            continue
        alen = {"1": 2, "2": 3, "3": 4}[line[1]]
        raw = bytes.fromhex(line[2:])
        addr = int.from_bytes(raw[1:1 + alen], "big")
        for i, b in enumerate(raw[1 + alen:-1]):
            if addr + i in out:
                out[("twice", addr + i)] = b
            out[addr + i] = b
    return out


def ihex_map(path):
    out, upper = {}, 0
    for line in open(path):
        raw = bytes.fromhex(line.strip()[1:])
        n, addr, kind = raw[0], int.from_bytes(raw[1:3], "big"), raw[3]
        if kind == 0:
            for i in range(n):
                out[upper + addr + i] = raw[4 + i]
        elif kind == 4:
            upper = int.from_bytes(raw[4:6], "big") << 16
    return out


def linked_map(obj, cwd, tag):
    script = os.path.join(cwd, "link.ld")
    with open(script, "w") as f:
        f.write(link_script())
    exe = os.path.join(cwd, tag + ".x")
    defs = []
    for n, v in gen.EXT_VALUES.items():
        defs += ["--defsym", "%s=0x%x" % (n, v)]
    rc, msg = run([LD, "-T", script, "-e", "0", "-o", exe] + defs + [obj], cwd)
    if rc:
        return None, msg
    secs, _, _ = read_elf(exe)
    out = {}
    for s in secs:
        if s["name"] in (".text", ".data", ".sdata") and s["flags"] & 2:
            for i, b in enumerate(s["bytes"]):
                out[s["addr"] + i] = b
    return out, ""


def diff_maps(a, b, name_a, name_b):
    """Addresses where two images differ; a byte absent in one must be 0 in the other."""
    out = []
    for addr in sorted(set(k for k in a if isinstance(k, int)) | set(k for k in b if isinstance(k, int))):
        va, vb = a.get(addr), b.get(addr)
        if va == vb:
            continue
        if va is None and vb == 0 or vb is None and va == 0:
            continue
        out.append("%06x %s=%s %s=%s" % (addr, name_a, "--" if va is None else "%02x" % va,
                                         name_b, "--" if vb is None else "%02x" % vb))
    return out


# ---- the native object --------------------------------------------------------
def native_refs(dump_text, ext_secs):
    """(section, offset) -> kind for each reference and relocation tobra-dump prints."""
    # A reference hunk names no section: the one after the code is the
    # code's, the first after the data hunks the data's.
    refs, cur, sec = {}, None, None
    secno = {"0": ".text", "1": ".data", "3": ".sdata"}
    groups = []
    for line in dump_text.splitlines():
        w = line.split()
        if not w:
            continue
        if w[0] == "CODE":
            groups = ["0"]
        elif w[0] == "DATA":
            groups = [] if groups == ["0"] else groups
            # A data section's group is left out when it has no references,
            # so the file cannot say whose a lone group is: take the section
            # whose ELF twin has relocations against external names.
            # The groups follow the data hunks basedata first, then data.
            if secno.get(w[2]) in ext_secs:
                groups.append(w[2])
                groups.sort(key=lambda x: x != "3")
        elif w[0] == "SYMBOL":
            sec = groups.pop(0) if groups else "?"
            cur = None
        elif w[0] == "REF":
            cur = ("REF", w[1], w[2].rstrip(":"), sec)
        elif w[0].startswith("RELOC"):
            cur = ("RELOC", w[0][5:], w[5].split("(")[0] if len(w) > 5 else "?", w[2])
        elif cur and all(len(x) == 8 for x in w):
            for x in w:
                refs[(cur[3], int(x, 16))] = cur
        else:
            cur = None
    return {(secno.get(s, s), o): v for (s, o), v in refs.items()}


def native_bytes(dump_text):
    """Section name -> bytes, from the hex rows of tobra-dump -x."""
    out, cur = {}, None
    for line in dump_text.splitlines():
        w = line.split()
        if w and w[0] in ("CODE", "DATA") and w[1] == "section":
            cur = {"0": ".text", "1": ".data", "3": ".sdata"}[w[2]]
            out[cur] = b""
        elif cur and w and w[0].endswith(":") and len(w[0]) == 5:
            out[cur] += bytes.fromhex("".join(w[1:]))
        elif w and not w[0].endswith(":"):
            cur = None
    return out


def check_native(elf_relocs, elf_secs, dump_text):
    """Each ELF relocation has its reference in the native object, and the
    native field holds what the linker must add to; no other byte differs."""
    ext_secs = {r[0] for r in elf_relocs if not r[3].startswith(".")} | {".text"}
    refs = native_refs(dump_text, ext_secs)
    nbytes = native_bytes(dump_text)
    problems = []
    fields = set()
    used = set()
    for target, off, typ, name, addend in elf_relocs:
        width = {"32": 4, "16": 2, "8": 1, "PC32": 4, "PC16": 2, "PC8": 1}[typ]
        at = off
        hit = refs.get((target, off))
        if hit is None and width == 1:
            hit = refs.get((target, off - 1))  # a byte referenced through its word
            at = off - 1
        if hit is None:
            problems.append("no reference for %s %s%+d at %s+%x" % (typ, name, addend, target, off))
            continue
        used.add((target, at))
        fw = 2 if at != off else width
        for i in range(fw):
            fields.add((target, at + i))
        raw = nbytes.get(target, b"")[off:off + width]
        if typ.startswith("PC") or len(raw) != width:
            continue
        v = int.from_bytes(raw, "big", signed=True)
        want = addend
        if width < 4:
            bits = 8 * width
            want = ((addend + (1 << (bits - 1))) & ((1 << bits) - 1)) - (1 << (bits - 1))
        kind_ok = (hit[0] == "REF" and hit[2] == name) if not name.startswith(".") else (hit[0] == "RELOC")
        if not kind_ok:
            problems.append("%s %s at %s+%x: native has %s" % (typ, name, target, off, hit))
        if v != want:
            problems.append("%s %s field at %s+%x holds %d, ELF addend %d" % (typ, name, target, off, v, addend))
    for key, hit in refs.items():
        if key not in used:
            problems.append("native %s at %s+%x has no ELF relocation" % (hit, key[0], key[1]))
    for sec, eb in ((n, s["bytes"]) for n, s in elf_secs.items() if n in (".text", ".data", ".sdata")):
        nb = nbytes.get(sec, b"")
        for i in range(max(len(eb), len(nb))):
            if (sec, i) in fields:
                continue
            a = eb[i] if i < len(eb) else 0
            b = nb[i] if i < len(nb) else 0
            if a != b:
                problems.append("byte %s+%x: elf %02x native %02x" % (sec, i, a, b))
                break
    return problems


RAN = {"elf": 0, "link": 0, "obj": 0, "abs": 0}
# Refusals found and noted; a source that draws only these is counted, not
# reported again.
KNOWN_REFUSALS = {
    "abs": ("pcindex: symbol reference not in same section",
            "eval: an address cannot be subtracted from a number",
            "eval: two addresses cannot be added"),
}
NOTED = {}


def known(kind, msg):
    lines = [l for l in msg.strip().splitlines() if "warning ---" not in l]
    if lines and all(any(k in l for k in KNOWN_REFUSALS.get(kind, ())) for l in lines):
        NOTED[kind] = NOTED.get(kind, 0) + 1
        return True
    return False


def check_seed(seed, work, tobra, dump, cpu):
    prog = gen.Program(seed, cpu).generate()
    d = os.path.join(work, "s%d" % seed)
    os.makedirs(d, exist_ok=True)
    for variant, name in (("elf", "t.s"), ("abs", "a.s"), ("gnu", "g.s")):
        with open(os.path.join(d, name), "w") as f:
            f.write(prog.render(variant))
    findings = []
    rc, msg = run(AS + ["-mcpu=" + cpu, "g.s", "-o", "g.o"], d)
    if rc:
        return ["gnu-refuses " + msg.strip().replace("\n", " | ")[:300]], d
    rc, msg = run([tobra, "-q", "--elf", "t.s", "--output", "t.o"], d)
    if rc:
        findings.append("elf-refuses rc=%d %s" % (rc, msg.strip().replace("\n", " | ")[:400]))
    else:
        RAN["elf"] += 1
        ts, tr = sections_of(os.path.join(d, "t.o"))
        gs, gr = sections_of(os.path.join(d, "g.o"))
        for n in gen.ELF_NAME.values():
            a, b = ts.get(n), gs.get(n)
            sa, sb = (a["size"] if a else 0), (b["size"] if b else 0)
            if sa != sb:
                findings.append("elf-size %s tobra=%d gnu=%d" % (n, sa, sb))
            elif a and b and a["bytes"] != b["bytes"]:
                mask = a.get("masked", set()) | b.get("masked", set())
                diffs = [i for i in range(len(a["bytes"])) if a["bytes"][i] != b["bytes"][i] and i not in mask]
                if not diffs:
                    continue
                i = diffs[0]
                findings.append("elf-bytes %s first at %x: tobra %s gnu %s" % (
                    n, i, a["bytes"][i:i + 4].hex(), b["bytes"][i:i + 4].hex()))
        if tr != gr:
            only_t = [r for r in tr if r not in gr]
            only_g = [r for r in gr if r not in tr]
            findings.append("elf-relocs tobra-only %s gnu-only %s" % (only_t[:4], only_g[:4]))
        tm, msg_t = linked_map(os.path.join(d, "t.o"), d, "t")
        gm, msg_g = linked_map(os.path.join(d, "g.o"), d, "g")
        link_ok = gm is not None
        if tm is None and gm is not None:
            findings.append("link-tobra-fails " + msg_t.strip()[:300])
        elif tm is not None and gm is not None:
            RAN["link"] += 1
            dd = diff_maps(tm, gm, "tobra", "gnu")
            if dd:
                findings.append("link-image %d bytes differ: %s" % (len(dd), dd[:6]))
        # -o: no distance written as name-*, no PC-relative field into another section.
        if not ({"pc_other", "distance", "branch_ext_const"} & prog.tags):
            RAN["obj"] += 1
            rc, msg = run([tobra, "-q", "-o", "t.s", "--output", "t.obj"], d)
            if rc:
                findings.append("obj-refuses %s" % msg.strip().replace("\n", " | ")[:300])
            else:
                rc, dtext = run([dump, "-x", "t.obj"], d)
                findings += ["obj " + p for p in check_native(tr, ts, dtext)]
        # Absolute outputs: the same source at fixed origins.
        if not link_ok and "truncated to fit" in msg_g:
            # What the linker refuses, an absolute output must refuse too.
            rc, msg = run([tobra, "-q", "a.s", "--output", "a.srec"], d)
            RAN["abs"] += 1
            if rc == 0 and "value truncated to the item size" in msg:
                # A plain number cut to a dc item, with its warning.
                NOTED["abs-truncated"] = NOTED.get("abs-truncated", 0) + 1
            elif rc == 0:
                findings.append("abs-accepts what ld refuses: " + msg_g.strip().replace("\n", " | ")[:300])
        if link_ok:
            RAN["abs"] += 1
            rc, msg = run([tobra, "-q", "a.s", "--output", "a.srec"], d)
            if rc and known("abs", msg):
                pass
            elif rc:
                findings.append("abs-refuses %s" % msg.strip().replace("\n", " | ")[:300])
            else:
                sm = srec_map(os.path.join(d, "a.srec"))
                if any(not isinstance(k, int) for k in sm):
                    findings.append("srec-overlap")
                dd = diff_maps(sm, gm, "srec", "gnu")
                if dd:
                    findings.append("abs-image %d bytes differ: %s" % (len(dd), dd[:6]))
                rc, msg = run([tobra, "-q", "--ihex", "a.s", "--output", "a.hex"], d)
                if rc or ihex_map(os.path.join(d, "a.hex")) != sm:
                    findings.append("ihex differs from srec " + msg.strip()[:200])
                rc, msg = run([tobra, "-q", "-b", "a.s", "--output", "a.bin"], d)
                if rc:
                    findings.append("bin-refuses " + msg.strip()[:200])
                else:
                    b = open(os.path.join(d, "a.bin"), "rb").read()
                    # The code bytes in address order (gaps left out), then
                    # data and basedata, each padded to a multiple of 4.
                    want = b""
                    for sec in ("code", "data", "basedata"):
                        lo = gen.ORIGIN[sec]
                        hi = min([v for v in gen.ORIGIN.values() if v > lo] + [1 << 32])
                        part = bytes(sm[k] for k in sorted(k for k in sm if isinstance(k, int) and lo <= k < hi))
                        if sec != "code":
                            part += bytes(-len(part) % 4)
                        want += part
                    if want != b:
                        findings.append("bin differs from srec: %d bytes against %d" % (len(b), len(want)))
    return findings, d


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--tobra", default="build-dev/tobra")
    ap.add_argument("--dump", default="build-dev/tobra-dump")
    ap.add_argument("--seed", type=int, default=1, help="first seed")
    ap.add_argument("--count", type=int, default=100, help="number of seeds")
    ap.add_argument("--cpu", default="5208", help="part for both assemblers (5407: ISA_B, long branches)")
    ap.add_argument("--high", action="store_true",
                    help="data, bss and the base sections above $10000: word fields of their labels overflow")
    ap.add_argument("--work", help="work directory (default: a temporary one)")
    ap.add_argument("--keep", action="store_true", help="keep the sources of seeds without findings")
    ap.add_argument("--show", type=int, help="print the sources of one seed and stop")
    args = ap.parse_args()
    if args.show is not None:
        p = gen.Program(args.show, args.cpu).generate()
        print(p.render("elf"), "----\n", p.render("gnu"), sep="")
        return 0
    if args.high:
        gen.ORIGIN.update(data=0x14000, bss=0x18000, basedata=0x1C000, basebss=0x1E000)
    tobra, dump = os.path.abspath(args.tobra), os.path.abspath(args.dump)
    work = args.work or tempfile.mkdtemp(prefix="diffcheck.")
    os.makedirs(work, exist_ok=True)
    bad = 0
    for seed in range(args.seed, args.seed + args.count):
        findings, d = check_seed(seed, work, tobra, dump, args.cpu)
        if findings:
            bad += 1
            for f in findings:
                print("seed %d: %s" % (seed, f), flush=True)
        elif not args.keep:
            shutil.rmtree(d)
    print("%d seeds from %d, cpu %s: %d with findings (work: %s)" % (args.count, args.seed, args.cpu, bad, work))
    print("compared: " + ", ".join("%s %d" % kv for kv in RAN.items()) +
          "; known refusals: " + (", ".join("%s %d" % kv for kv in NOTED.items()) or "none"))
    return 1 if bad else 0


if __name__ == "__main__":
    sys.exit(main())
