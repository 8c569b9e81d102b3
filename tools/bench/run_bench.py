#!/usr/bin/env python3
"""Times tobra against the GNU m68k assembler on generated sources of 10k, 100k and 1M lines.

Prints the median wall time, lines per second and peak memory (maximum resident set size)
of each, the speed ratio, and tobra's per-line time at 10k and 1M lines with a label on
every other line (the scaling ratio). The tools take turns, run after run, so that
a slow phase of a shared machine falls on all of them alike. With --baseline, another
tobra build (an older one) takes its turns too, for a before-and-after table.
Usage: run_bench.py TOBRA WORKDIR [--runs N] [--seed N] [--baseline OLD_TOBRA]
"""
import argparse
import os
import random
import shutil
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
GNU_AS = "m68k-linux-gnu-as"


def run_once(cmd, cwd):
    # The peak memory of a process survives exec, so a child forked from this
    # (large) Python process would report at least our own size: /usr/bin/time
    # forks the command from a small process and reports its peak alone.
    rss_file = os.path.join(cwd, ".maxrss")
    timed = ["/usr/bin/time", "-o", rss_file, "-f", "%M"] + cmd if os.path.exists("/usr/bin/time") else cmd
    start = time.perf_counter()
    proc = subprocess.Popen(timed, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    out = proc.stdout.read()
    _, status, usage = os.wait4(proc.pid, 0)
    wall = time.perf_counter() - start
    code = os.waitstatus_to_exitcode(status)
    maxrss = usage.ru_maxrss
    if timed is not cmd:
        try:
            with open(rss_file) as f:
                maxrss = int(f.read().split()[-1])
        except (OSError, ValueError, IndexError):
            pass
    return wall, maxrss, code, out.decode(errors="replace")


def spawn_rounds(cmds, cwd, runs):
    """Median wall time of each command started with posix_spawn, its output
    thrown away, the commands taking turns."""
    walls = {k: [] for k in cmds}
    null = os.open(os.devnull, os.O_WRONLY)
    here = os.getcwd()
    os.chdir(cwd)
    try:
        for _ in range(runs):
            for key, cmd in cmds.items():
                path = shutil.which(cmd[0]) or cmd[0]
                start = time.perf_counter()
                pid = os.posix_spawn(path, cmd, os.environ,
                                     file_actions=[(os.POSIX_SPAWN_DUP2, null, 1), (os.POSIX_SPAWN_DUP2, null, 2)])
                os.waitpid(pid, 0)
                walls[key].append(time.perf_counter() - start)
    finally:
        os.chdir(here)
        os.close(null)
    return {k: statistics.median(v) for k, v in walls.items()}


def measure(cmd, cwd, runs):
    return measure_rounds({"": cmd}, cwd, runs)[""]


def measure_rounds(cmds, cwd, runs):
    """Runs the commands in turn, round after round, so that a slow or fast
    phase of a shared machine falls on all of them alike; the median wall time
    and the peak memory of each, or None for a command that failed. A run
    right after GNU as (which writes a large output and frees much memory)
    comes out slower whichever build it is, so each round takes the commands
    in another order: turning the order round would still put the same
    command after GNU as nearly every time. The orders are the same from one
    sitting to the next."""
    walls = {k: [] for k in cmds}
    rss = {k: [] for k in cmds}
    failed = set()
    keys = list(cmds)
    order = random.Random(len(keys) * 1000 + runs)
    for _ in range(runs):
        order.shuffle(keys)
        for key in list(keys):
            cmd = cmds[key]
            if key in failed:
                continue
            wall, maxrss, code, out = run_once(cmd, cwd)
            if code != 0:
                print(f"  command failed ({code}): {' '.join(cmd)}\n{out[:2000]}", file=sys.stderr)
                failed.add(key)
                continue
            walls[key].append(wall)
            rss[key].append(maxrss)
    return {k: None if k in failed else (statistics.median(walls[k]), max(rss[k])) for k in cmds}


def generate(lines, prefix, seed, label_every=0):
    if not os.path.exists(prefix + ".s"):
        args = [sys.executable, os.path.join(HERE, "gen_source.py"), str(lines), prefix, "--seed", str(seed)]
        if label_every:
            args += ["--label-every", str(label_every)]
        subprocess.run(args, check=True)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("tobra")
    ap.add_argument("workdir")
    ap.add_argument("--runs", type=int, default=5)
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--baseline", help="another tobra build measured in the same rounds")
    args = ap.parse_args()
    tobra = os.path.abspath(args.tobra)
    baseline = os.path.abspath(args.baseline) if args.baseline else None
    os.makedirs(args.workdir, exist_ok=True)
    work = os.path.abspath(args.workdir)
    have_gnu = shutil.which(GNU_AS) is not None
    if not have_gnu:
        print(f"note: {GNU_AS} not found; only tobra is measured")

    print(f"{'lines':>9} {'tool':<16} {'median s':>9} {'lines/s':>12} {'peak MiB':>9}")
    summary = []
    for lines in (10_000, 100_000, 1_000_000):
        name = f"gen{lines}"
        generate(lines, os.path.join(work, name), args.seed)
        cmds = {
            "tobra S-rec": [tobra, "-q", "-c5407", name + ".s"],
            "tobra -b": [tobra, "-q", "-b", "-c5407", name + ".s"],
        }
        if baseline:
            cmds["baseline S-rec"] = [baseline, "-q", "-c5407", name + ".s"]
            cmds["baseline -b"] = [baseline, "-q", "-b", "-c5407", name + ".s"]
        if have_gnu:
            cmds["GNU as"] = [GNU_AS, "-mcpu=5407", "--register-prefix-optional", "-o", name + ".elf", name + ".gnu.s"]
        rows = measure_rounds(cmds, work, args.runs)
        for tool, r in rows.items():
            if r is None:
                print(f"{lines:>9} {tool:<16} {'failed':>9}")
                continue
            wall, rss = r
            print(f"{lines:>9} {tool:<16} {wall:>9.3f} {lines / wall:>12,.0f} {rss / 1024:>9.1f}")
        if have_gnu and rows.get("GNU as") and rows.get("tobra S-rec"):
            summary.append((lines, rows["GNU as"][0] / rows["tobra S-rec"][0], rows["GNU as"][0] / rows["tobra -b"][0],
                            rows["tobra S-rec"][1], rows["GNU as"][1]))
    for lines, srec, binary, rss_t, rss_g in summary:
        print(f"speed ratio tobra/GNU at {lines:,} lines: {srec:.1f}x (S-records), {binary:.1f}x (-b); "
              f"peak memory {rss_t / 1024:.1f} MiB vs {rss_g / 1024:.1f} MiB")

    # A small project as an editor re-assembles it on every change: 500 lines
    # in 8 files, a main file that includes the other 7 in order.
    generate(500, os.path.join(work, "small"), args.seed)
    with open(os.path.join(work, "small.s")) as f:
        lines = f.read().splitlines()
    part = (len(lines) + 7) // 8
    main_lines = lines[:part]
    for i in range(1, 8):
        with open(os.path.join(work, f"small_part{i}.s"), "w") as f:
            f.write("\n".join(lines[i * part:(i + 1) * part]) + "\n")
        main_lines.append(f" include small_part{i}.s")
    with open(os.path.join(work, "small_main.s"), "w") as f:
        f.write("\n".join(main_lines) + "\n")
    small = {"tobra": [tobra, "-q", "-b", "-c5407", "small_main.s"]}
    if baseline:
        small["baseline"] = [baseline, "-q", "-b", "-c5407", "small_main.s"]
    rows = measure_rounds(small, work, max(args.runs, 31))
    for tool, r in rows.items():
        if r is None:
            return 1
        print(f"{tool} small project (500 lines in 8 files), wall time: {r[0] * 1e3:.2f} ms")
    # The times above include starting /usr/bin/time from Python. Started
    # directly, as an editor or make starts it, beside a program that does
    # nothing (/bin/true), taking turns:
    small["nothing (/bin/true)"] = ["/bin/true"]
    spawned = spawn_rounds(small, work, 101)
    for tool, t in spawned.items():
        print(f"{tool} small project, started directly: {t * 1e3:.2f} ms" if tool != "nothing (/bin/true)"
              else f"{tool}, started the same way: {t * 1e3:.2f} ms")

    # Scaling: a label on every other line, per-line time at 10k and 1M lines.
    per_line = {}
    for lines in (10_000, 1_000_000):
        name = f"lab{lines}"
        generate(lines, os.path.join(work, name), args.seed, label_every=1)
        r = measure([tobra, "-q", "-b", "-c5407", name + ".s"], work, args.runs)
        if r is None:
            return 1
        per_line[lines] = r[0] / lines
        print(f"tobra per-line time, {lines:,} lines, label every other line: {per_line[lines] * 1e9:.0f} ns")
    print(f"scaling ratio (1M / 10k per-line time): {per_line[1_000_000] / per_line[10_000]:.2f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
