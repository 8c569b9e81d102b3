#!/usr/bin/env python3
"""Runs two tobra binaries on the same inputs and lists every difference.

    scripts/compare-builds.py OLD_TOBRA NEW_TOBRA

Inputs: every .s file of the repository with each usual option set, a
generated 10,000-line source, and the setup of every e2e case run with its
own arguments. Compared: exit code, standard output and error, and the bytes
of every file the run leaves behind. Used before a change lands, to show that
sources which assembled before give the same outputs, apart from what the
change means to alter.
"""
import os
import shlex
import shutil
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
from case_format import read_case  # noqa: E402
OPTION_SETS = [[], ["-b"], ["--ihex"], ["-o"], ["--elf"], ["--elf", "-g"], ["-l"]]


def run(binary, args, cwd):
    # The same program name and directory for both: usage texts and debug
    # information name them.
    p = subprocess.run(["tobra"] + args, executable=binary, cwd=cwd, capture_output=True, timeout=120)
    files = {}
    for dirpath, _, names in os.walk(cwd):
        for n in names:
            path = os.path.join(dirpath, n)
            with open(path, "rb") as f:
                files[os.path.relpath(path, cwd)] = f.read()
    return p.returncode, p.stdout, p.stderr, files


def compare(label, old, new, setup, args):
    results = []
    for binary in (old, new):
        d = os.path.join(tempfile.gettempdir(), "tobra-compare")
        shutil.rmtree(d, ignore_errors=True)
        os.makedirs(d)
        try:
            setup(d)
            results.append(run(binary, args, d))
        finally:
            shutil.rmtree(d, ignore_errors=True)
    (c1, o1, e1, f1), (c2, o2, e2, f2) = results
    diffs = []
    if c1 != c2:
        diffs.append(f"exit {c1} -> {c2}")
    if o1 != o2:
        diffs.append("stdout")
    if e1 != e2:
        diffs.append("stderr")
    for name in sorted(set(f1) | set(f2)):
        if f1.get(name) != f2.get(name):
            diffs.append(f"file {name}" + ("" if name in f1 and name in f2 else " (only in one)"))
    if diffs:
        print(f"DIFF {label} [{' '.join(args)}]: {', '.join(diffs)}")
    return not diffs


def main():
    old, new = (os.path.abspath(a) for a in sys.argv[1:3])
    same = total = 0
    sources = subprocess.run(["git", "ls-files", "*.s"], cwd=ROOT, capture_output=True, text=True).stdout.split()
    gen = tempfile.mkdtemp(prefix="tobra-gen-")
    subprocess.run([sys.executable, os.path.join(ROOT, "tools/bench/gen_source.py"), "10000",
                    os.path.join(gen, "gen")], check=True, capture_output=True)
    inputs = [(s, os.path.join(ROOT, s)) for s in sources] + [("gen 10k", os.path.join(gen, "gen.s"))]
    for label, path in inputs:
        folder = os.path.dirname(path)
        for opts in OPTION_SETS:
            def setup(d, folder=folder):
                for n in os.listdir(folder):
                    p = os.path.join(folder, n)
                    if os.path.isfile(p) and not n.endswith(".o"):
                        shutil.copy(p, d)
            total += 1
            same += compare(label, old, new, setup, opts + [os.path.basename(path)])
    shutil.rmtree(gen, ignore_errors=True)

    cases = os.path.join(ROOT, "tests/e2e/cases")
    for name in sorted(os.listdir(cases)):
        sections = read_case(os.path.join(cases, name))
        args = next((s[2][0] for s in sections if s[0] == "args"), None)
        if args is None:
            continue
        env_free = all(s[0] != "env" for s in sections)

        def setup(d, sections=sections):
            for kind, arg, body in sections:
                if kind == "file":
                    p = os.path.join(d, arg)
                    os.makedirs(os.path.dirname(p), exist_ok=True)
                    with open(p, "w") as f:
                        f.write("".join(line + "\n" for line in body))
        if not env_free:
            continue
        total += 1
        same += compare(name, old, new, setup, shlex.split(args))
    print(f"{same} of {total} runs identical")


if __name__ == "__main__":
    main()
