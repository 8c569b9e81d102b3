#!/usr/bin/env python3
"""A source of 1 MB or more is streamed through a window in each pass; a
smaller one, or one read from a pipe, is held whole. Both roads must make
the same run. Each generated source (fuzz/gen_seeds.py: set and forward
equates, locals, macros, rept, conditionals, org, sections, include) is
padded past the streaming size with comment lines, placed so that a window
edge falls inside its text, some as CRLF files, and assembled twice in the
same directory under the same name, as the file named or as an include:
once as a regular file (streamed) and once through a FIFO (held). Exit status, both streams and the output bytes
must match.
Usage: streamed_like_held.py TOBRA GEN_SEEDS"""
import os
import random
import subprocess
import sys
import tempfile
import threading

TOBRA, GEN_SEEDS = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
WINDOW = 1 << 16
STREAMED = 1 << 20
OPTION_SETS = (["-b"], ["--elf", "-g"], ["-l"])


def padded(source, r):
    """The source after comment lines that end just before a window edge
    inside it, with comment lines after it up to past the streaming size."""
    edge = WINDOW * r.randint(1, 3) - r.randint(0, max(1, min(400, len(source) - 1)))
    pad = b""
    comment = b"* " + b"p" * r.randint(0, 90) + b"\n"
    while len(pad) + len(comment) < edge:
        pad += comment
    pad += b"*" * (edge - len(pad) - 1) + b"\n"
    data = pad + source + (b"" if source.endswith(b"\n") else b"\n")
    data += b"* after\n" * ((STREAMED - len(data)) // 8 + 16)
    return data.replace(b"\n", b"\r\n") if r.random() < 0.3 else data


def run(directory, options, data, through_fifo, included):
    """included: the text is an include of a small main file."""
    path = os.path.join(directory, "big.s")
    for name in os.listdir(directory):
        if name not in ("inc.i",):
            os.remove(os.path.join(directory, name))
    if included:
        with open(os.path.join(directory, "main.s"), "w") as f:
            f.write(" nop\n include \"big.s\"\n nop\n")
    writer = None
    if through_fifo:
        os.mkfifo(path)

        def feed():
            with open(path, "wb") as f:
                f.write(data)
        writer = threading.Thread(target=feed)
        writer.start()
    else:
        with open(path, "wb") as f:
            f.write(data)
    done = subprocess.run([TOBRA] + options + ["--output", "out.bin", "main.s" if included else "big.s"], cwd=directory,
                          capture_output=True, timeout=300)
    if writer:
        writer.join(timeout=10)
    out = os.path.join(directory, "out.bin")
    made = open(out, "rb").read() if os.path.exists(out) else None
    return done.returncode, done.stdout, done.stderr, made


def main():
    failures = 0
    with tempfile.TemporaryDirectory() as work:
        sources = os.path.join(work, "sources")
        subprocess.run([sys.executable, GEN_SEEDS, sources, "--count", "24", "--seed", "3"], check=True)
        directory = os.path.join(work, "run")
        os.makedirs(directory)
        with open(os.path.join(directory, "inc.i"), "w") as f:
            f.write(" nop\nincl: dc.l incl\n")
        for n, name in enumerate(sorted(os.listdir(sources))):
            r = random.Random(n)
            with open(os.path.join(sources, name), "rb") as f:
                data = padded(f.read(), r)
            options = OPTION_SETS[n % len(OPTION_SETS)]
            included = n % 4 == 3
            streamed = run(directory, options, data, False, included)
            held = run(directory, options, data, True, included)
            if streamed != held:
                failures += 1
                print("FAIL %s %s: streamed and held runs differ (status %d and %d)" %
                      (name, " ".join(options), streamed[0], held[0]))
                for what, a, b in (("stdout", streamed[1], held[1]), ("stderr", streamed[2], held[2])):
                    for x, y in zip(a.decode(errors="replace").splitlines(), b.decode(errors="replace").splitlines()):
                        if x != y:
                            print("  %s streamed: %s\n  %s held:     %s" % (what, x[:200], what, y[:200]))
                            break
                if streamed[3] != held[3]:
                    print("  the outputs differ")
            elif streamed[3] is None and streamed[0] == 0:
                failures += 1
                print("FAIL %s: a successful run made no output" % name)
    print("%d failure(s)" % failures)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
