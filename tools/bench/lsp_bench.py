#!/usr/bin/env python3
"""Times tobra-lsp from an edit to its diagnostics, on a generated project of
10,000 lines in 20 files (a root and 19 includes), the edited file in the
middle. Each edit alternates between adding an error and taking it out again;
the time runs from writing didChange to reading the file's
publishDiagnostics. Then an edit followed by a hover, timed to the hover's
answer (the edit's assembly and the gathering of names come first). Prints
the median, the fastest and the slowest.
Usage: lsp_bench.py TOBRA_LSP WORKDIR [--edits N]"""
import argparse
import os
import statistics
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "..", "..", "tests", "lsp"))
from gen_source import generate  # noqa: E402
from lsp_client import Client  # noqa: E402

LINES, FILES = 10_000, 20


def server_cpu(pid):
    """The server's user and system time so far, in seconds (None off Linux)."""
    try:
        with open("/proc/%d/stat" % pid) as f:
            fields = f.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")
    except (OSError, ValueError, IndexError):
        return None


def write_project(directory):
    lines, _ = generate(LINES - (FILES - 1), 1, 0)
    per = len(lines) // FILES
    chunks = [lines[i * per:(i + 1) * per] for i in range(FILES - 1)] + [lines[(FILES - 1) * per:]]
    names = ["part%02d.inc" % i for i in range(1, FILES)]
    root = chunks[0] + [' include "%s"' % n for n in names]
    # The root's own lines come first; each include brings the next chunk in turn.
    with open(os.path.join(directory, "main.s"), "w") as f:
        f.write("\n".join(root) + "\n")
    for name, chunk in zip(names, chunks[1:]):
        with open(os.path.join(directory, name), "w") as f:
            f.write("\n".join(chunk) + "\n")
    total = sum(len(c) for c in chunks) + len(names)
    return names[len(names) // 2], total


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("server")
    ap.add_argument("workdir")
    ap.add_argument("--edits", type=int, default=40)
    args = ap.parse_args()
    directory = os.path.realpath(args.workdir)
    os.makedirs(directory, exist_ok=True)
    edited, total = write_project(directory)
    path = os.path.join(directory, edited)
    uri = "file://" + path
    c = Client(args.server)
    c.request("initialize", {"processId": None, "rootUri": "file://" + directory, "capabilities": {},
                             "initializationOptions": {"core": "5407", "roots": ["main.s"]}})
    c.notify("initialized")
    text = open(path).read()
    c.notify("textDocument/didOpen", {"textDocument": {"uri": uri, "languageId": "asm", "version": 1, "text": text}})
    c.diagnostics()
    broken = text + " addq.l #9,d0\n"
    times, counts = [], set()
    cpu_start = server_cpu(c.proc.pid)
    for n in range(args.edits):
        new = broken if n % 2 == 0 else text
        start = time.perf_counter()
        c.notify("textDocument/didChange", {"textDocument": {"uri": uri, "version": n + 2},
                                            "contentChanges": [{"text": new}]})
        while True:
            message = c._read(30)
            if message is None:
                sys.exit("no diagnostics within 30 s")
            if message.get("method") == "textDocument/publishDiagnostics" and message["params"]["uri"] == uri:
                break
        times.append(time.perf_counter() - start)
        counts.add(len(message["params"]["diagnostics"]))
    cpu = (server_cpu(c.proc.pid) - cpu_start) / args.edits * 1000 if cpu_start is not None else None
    # A hover after each edit: the names are gathered again first.
    hovers = []
    for n in range(args.edits // 4):
        c.notify("textDocument/didChange", {"textDocument": {"uri": uri, "version": 1000 + n},
                                            "contentChanges": [{"text": broken if n % 2 == 0 else text}]})
        start = time.perf_counter()
        c.request("textDocument/hover", {"textDocument": {"uri": uri}, "position": {"line": 3, "character": 2}})
        hovers.append((time.perf_counter() - start) * 1000)
    c.close()
    ms = [t * 1000 for t in times]
    print("tobra-lsp, edit to diagnostics, %d lines in %d files (%d edits; diagnostics per edit: %s):"
          % (total, FILES, len(ms), sorted(counts)))
    print("  median %.1f ms, fastest %.1f ms, slowest %.1f ms" % (statistics.median(ms), min(ms), max(ms)))
    if cpu is not None:
        print("  the server's processor time per edit: %.1f ms (less swayed by a busy machine)" % cpu)
    print("  an edit then a hover (the hover's answer): median %.1f ms, fastest %.1f ms, slowest %.1f ms"
          % (statistics.median(hovers), min(hovers), max(hovers)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
