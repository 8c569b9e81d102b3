#!/usr/bin/env python3
"""Runs two tobra binaries on large generated sources and lists every difference.

    scripts/check-replay.py OLD_TOBRA NEW_TOBRA [--lines 10000,100000,1000000] [--seed N]

The sources are the benchmark's (tools/bench/gen_source.py): one of each size
as the benchmark makes it, and one with a label on every other line. Each is
assembled in every output format (S-records, -b, --ihex, -o, --elf, --elf -g),
with the listing on standard output (-l) and in a file (--listing), and with a
map and dependency file; exit codes, standard output and error and every file
left behind are compared byte for byte. Meant for a change to how pass 2 gets
its lines, which the small sources of scripts/compare-builds.py exercise less.
Exit status: 0 when every run is identical, 1 otherwise.
"""
import argparse
import importlib.util
import os
import shutil
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
_spec = importlib.util.spec_from_file_location("compare_builds", os.path.join(ROOT, "scripts", "compare-builds.py"))
compare_builds = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(compare_builds)

OPTION_SETS = [[], ["-b"], ["--ihex"], ["-o"], ["--elf"], ["--elf", "-g"], ["-l"],
               ["--listing", "gen.lst"], ["--map", "gen.map", "--deps", "gen.d"]]


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("old")
    ap.add_argument("new")
    ap.add_argument("--lines", default="10000,100000,1000000", help="sizes, comma-separated")
    ap.add_argument("--seed", type=int, default=1)
    args = ap.parse_args()
    old, new = os.path.abspath(args.old), os.path.abspath(args.new)
    work = tempfile.mkdtemp(prefix="tobra-replay-")
    same = total = 0
    try:
        for lines in (int(n) for n in args.lines.split(",")):
            for label_every in (0, 1):
                name = f"{lines} lines" + (", label every other line" if label_every else "")
                prefix = os.path.join(work, f"gen{lines}_{label_every}")
                gen = [sys.executable, os.path.join(ROOT, "tools/bench/gen_source.py"), str(lines), prefix,
                       "--seed", str(args.seed)]
                if label_every:
                    gen += ["--label-every", str(label_every)]
                subprocess.run(gen, check=True, capture_output=True)

                # Identical failures would prove little: the source must assemble.
                probe = subprocess.run([old, "-q", "--no-output", prefix + ".s"], capture_output=True)
                if probe.returncode != 0:
                    print(f"DIFF {name}: the old build fails on it ({probe.returncode})")
                    total += 1
                    continue

                def setup(d, source=prefix + ".s"):
                    try:
                        os.link(source, os.path.join(d, "gen.s"))
                    except OSError:
                        shutil.copy(source, os.path.join(d, "gen.s"))
                for opts in OPTION_SETS:
                    total += 1
                    ok = compare_builds.compare(name, old, new, setup, opts + ["gen.s"])
                    same += ok
                    if ok:  # compare() prints what differs
                        print(f"same {name} [{' '.join(opts)}]", flush=True)
                os.remove(prefix + ".s")
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print(f"{same} of {total} runs identical")
    return 0 if same == total else 1


if __name__ == "__main__":
    sys.exit(main())
