#!/usr/bin/env python3
"""A real editor against tobra-lsp: headless Neovim and its built-in client
run nvim_session.lua on a small project with an error.
Usage: run_nvim.py TOBRA_LSP"""
import os
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))

MAIN = """        include "defs.inc"
start:  moveq   #COUNT,d0
        movec   d0,vbr
        addq.l  #9,d1
        bra     start
"""
DEFS = "COUNT   equ     5\n"
# A script that stops on an error would leave Neovim waiting: the error is a failure.
RUN = ("local ok, e = pcall(dofile, %r) "
       "if not ok then io.stdout:write('FAIL the script stopped: ' .. tostring(e) .. '\\n') os.exit(1) end")


def main():
    nvim = shutil.which("nvim")
    if not nvim:
        print("nvim is missing: scripts/install-test-deps.sh installs Debian's neovim", file=sys.stderr)
        return 1
    with tempfile.TemporaryDirectory() as project:
        project = os.path.realpath(project)
        for name, text in (("main.s", MAIN), ("defs.inc", DEFS)):
            with open(os.path.join(project, name), "w") as f:
                f.write(text)
        env = dict(os.environ, TOBRA_LSP=os.path.abspath(sys.argv[1]), TOBRA_PROJECT=project,
                   XDG_CONFIG_HOME=project, XDG_DATA_HOME=project, XDG_STATE_HOME=project, XDG_CACHE_HOME=project)
        try:
            run = subprocess.run([nvim, "--headless", "--clean", "-n", "-i", "NONE",
                                  "-c", "lua " + RUN % os.path.join(HERE, "nvim_session.lua")],
                                 cwd=project, env=env, stdin=subprocess.DEVNULL, capture_output=True, text=True,
                                 timeout=60)
        except subprocess.TimeoutExpired:
            print("nvim did not finish within 60 s")
            return 1
        sys.stdout.write(run.stdout)
        sys.stderr.write(run.stderr)
        if run.returncode != 0 or "0 failure(s)" not in run.stdout:
            print("nvim exited with %d" % run.returncode)
            return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
