#!/usr/bin/env python3
"""Scripted sessions with tobra-lsp over stdio, checking exact results.
Usage: run_sessions.py TOBRA_LSP TOBRA"""
import json
import os
import subprocess
import sys
import tempfile
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from lsp_client import Client  # noqa: E402
import hostile  # noqa: E402

SERVER, TOBRA = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
failures = []


def check(what, got, want):
    if got != want:
        failures.append("%s:\n  got  %s\n  want %s" % (what, json.dumps(got), json.dumps(want)))


def uri(path):
    return "file://" + path


def where(text, line, needle, nth=0):
    """The position of the nth `needle` on a line (both from 0)."""
    row = text.split("\n")[line]
    col = -1
    for _ in range(nth + 1):
        col = row.index(needle, col + 1)
    return {"line": line, "character": col}


def span(line, begin, end):
    return {"start": {"line": line, "character": begin}, "end": {"line": line, "character": end}}


def write(directory, name, text):
    with open(os.path.join(directory, name), "w") as f:
        f.write(text)


DEFS = """COUNT   equ     5
        ifd     FAST
DELAY   equ     1
        endc
"""

MAIN = """        include "defs.inc"
start:  moveq   #COUNT,d0
.loop   subq.l  #1,d0
        bne.s   .loop
        mac.w   d0,d1
        movec   d0,vbr
        ds.w    DELAY
        nop
        bra     start
"""

CONTROL_NAMES = ["cacr", "asid", "acr0", "acr1", "acr2", "acr3", "mmubar", "usp", "vbr", "rombar", "rombar0",
                 "flashbar", "rambar", "rambar0", "rambar1", "mpcr", "edrambar", "mbar", "mbar2", "pcr1u0"]


def accepted_control_registers(directory, core):
    """The control registers the assembler takes in movec on the part."""
    write(directory, "cr.s", "".join("        movec   d0,%s\n" % n for n in CONTROL_NAMES))
    run = subprocess.run([TOBRA, "-c" + core, "--no-output", "--diagnostics=json", "cr.s"], cwd=directory,
                         capture_output=True, text=True)
    refused = {json.loads(l)["line"] for l in run.stderr.splitlines() if l.startswith("{")}
    return {n for i, n in enumerate(CONTROL_NAMES) if i + 1 not in refused}


def labels(reply):
    return {item["label"] for item in reply["result"]}


def open_doc(client, path, text, version=1):
    client.notify("textDocument/didOpen", {"textDocument": {"uri": uri(path), "languageId": "asm",
                                                            "version": version, "text": text}})


def change(client, path, text, version):
    client.notify("textDocument/didChange", {"textDocument": {"uri": uri(path), "version": version},
                                             "contentChanges": [{"text": text}]})


def ask(client, method, path, position, **extra):
    params = {"textDocument": {"uri": uri(path)}, "position": position}
    params.update(extra)
    return client.request(method, params)


def session_settings_file_and_edits(directory):
    """The workspace file's part and defines shape every assembly; the
    diagnostics follow each edit of the unsaved text; the protocol's errors."""
    write(directory, "tobra-lsp.json", json.dumps({"core": "5202", "defines": ["FAST"]}))
    write(directory, "defs.inc", DEFS)
    write(directory, "main.s", MAIN)
    main = os.path.join(directory, "main.s")
    c = Client(SERVER)
    reply = c.request("textDocument/hover", {"textDocument": {"uri": uri(main)}, "position": {"line": 0, "character": 0}})
    check("a request before initialize", reply.get("error", {}).get("code"), -32002)
    reply = c.request("initialize", {"processId": None, "rootUri": uri(directory), "capabilities": {}})
    caps = reply["result"]["capabilities"]
    check("capabilities", [caps.get(k) for k in ("hoverProvider", "definitionProvider", "referencesProvider",
                                                 "documentSymbolProvider")] + [caps["textDocumentSync"]["change"]],
          [True, True, True, True, 1])
    c.notify("initialized")

    # The 5202 has no MAC unit; DELAY exists only because FAST is defined.
    open_doc(c, main, MAIN)
    check("diagnostics on open", c.diagnostics(), {uri(main): [
        {"range": span(4, 16, 21), "severity": 1, "code": "T3002", "source": "tobra",
         "message": "core: instruction not allowed on this processor."}]})

    at = where(MAIN, 4, "mac")
    at["character"] += 2
    check("mnemonics after 'ma' on the 5202", sorted(labels(ask(c, "textDocument/completion", main, at))), ["macro"])

    # Fixed in the editor, not on disk: the empty list is published.
    fixed = MAIN.replace("        mac.w   d0,d1\n", "")
    change(c, main, fixed, 2)
    check("diagnostics after the fix", c.diagnostics(), {uri(main): []})

    # A new error two lines further, and a warning kept apart from it.
    broken = fixed.replace("        nop\n", "        nop\n        addq.l  #9,d1\n")
    change(c, main, broken, 3)
    got = c.diagnostics()
    check("diagnostics after a new error", got, {uri(main): [
        {"range": span(7, 16, 18), "severity": 1, "code": "T4033", "source": "tobra",
         "message": "9 value not in range: [1,8]"}]})

    # An unsaved edit of the include reaches the file that includes it: DELAY
    # goes, and main.s, not the include, has the error. Undone, it clears.
    defs = os.path.join(directory, "defs.inc")
    open_doc(c, defs, DEFS)
    check("the include opened: nothing new", c.diagnostics(), {uri(defs): []})
    change(c, defs, DEFS.replace("DELAY", "PAUSE"), 2)
    check("diagnostics of the includer after an edit of the include", c.diagnostics(), {
        uri(defs): [],
        uri(main): [{"range": span(5, 16, 21), "severity": 1, "code": "T5055", "source": "tobra",
                     "message": "ds: value must be defined before this line"},
                    ]})
    change(c, defs, DEFS, 3)
    check("the include's edit undone", c.diagnostics(), {uri(defs): [], uri(main): got[uri(main)]})

    # Closed with an unsaved edit: the includer reads the disk's text again.
    change(c, defs, DEFS.replace("DELAY", "PAUSE"), 4)
    check("the include's edit again", len(c.diagnostics()[uri(main)]), 1)
    c.notify("textDocument/didClose", {"textDocument": {"uri": uri(defs)}})
    check("the include closed", c.diagnostics(), {uri(main): got[uri(main)]})

    # A burst of edits: whatever is published on the way, the last text wins.
    for n, text in enumerate((fixed, broken.replace("#9", "#10"), fixed, broken)):
        change(c, main, text, 10 + n)
    check("after a burst of edits", c.diagnostics()[uri(main)], got[uri(main)])

    # Columns count characters; the client counts UTF-16 units (the emoji is two).
    wide = broken + '        dc.b    "\u00e9\U0001F600",300\n'
    change(c, main, wide, 4)
    check("a warning after wide characters", c.diagnostics()[uri(main)][-1],
          {"range": span(9, 16, 25), "severity": 2, "code": "T5017", "source": "tobra",
           "message": "dc: value truncated to the item size"})

    # Hover: the instruction's encoding, and a control register on this part.
    hover = ask(c, "textDocument/hover", main, where(broken, 6, "nop"))["result"]
    text = hover["contents"]["value"]
    check("hover on nop: range", hover["range"], span(6, 8, 11))
    check("hover on nop: lines", [l for l in text.split("\n") if l.startswith(("bytes:", "result:", "part:"))],
          ["part:      5202", "result:    accepted", "bytes:     4E71"])
    hover = ask(c, "textDocument/hover", main, where(broken, 4, "vbr"))["result"]
    check("hover on vbr", hover["contents"]["value"], "**vbr**: control register, `movec` code $801. The 5202 has it.")
    hover = ask(c, "textDocument/hover", main, where(broken, 2, "d0"))["result"]
    check("hover on d0", hover["contents"]["value"], "**d0**: data register 0.")
    check("hover on a comment-free blank", ask(c, "textDocument/hover", main, {"line": 5, "character": 2})["result"],
          None)

    # Completion: what the part runs, every directive, control registers it has.
    at = where(broken, 7, "addq")
    at["character"] += 2
    got = labels(ask(c, "textDocument/completion", main, at))
    check("mnemonics after 'ad'", sorted(got), ["add", "adda", "addi", "addq", "addx"])
    at = where(broken, 5, "ds.w")
    at["character"] += 1
    got = labels(ask(c, "textDocument/completion", main, at))
    check("'d' offers divide-free mnemonics and the directives",
          [n in got for n in ("divu", "divs", "dc", "ds", "dcb", "dbra")], [False, False, True, True, True, False])
    at = where(broken, 4, "vbr")
    got = labels(ask(c, "textDocument/completion", main, at)) & set(CONTROL_NAMES)
    check("control registers on the 5202", sorted(got), sorted(accepted_control_registers(directory, "5202")))

    reply = c.request("textDocument/formatting", {"textDocument": {"uri": uri(main)}})
    check("an unknown method", reply.get("error", {}).get("code"), -32601)
    reply = c.request("textDocument/hover", {"textDocument": {"uri": uri(main)}})
    check("a request without its position", reply.get("error", {}).get("code"), -32602)
    check("hover past the end of the text",
          ask(c, "textDocument/hover", main, {"line": 400, "character": 3}).get("result", "missing"), None)
    c.raw(b"Content-Length: 6\r\n\r\n{oops}")
    reply = c.reply()
    check("a message that is not JSON", [reply.get("id", "missing"), reply.get("error", {}).get("code")],
          [None, -32700])
    check("exit status after shutdown", c.close(), 0)


def session_client_options(directory):
    """The client's initializationOptions win over the workspace file; a
    control register the part lacks; exit without shutdown fails."""
    write(directory, "tobra-lsp.json", json.dumps({"core": "5202", "defines": ["FAST"]}))
    write(directory, "defs.inc", DEFS)
    main = os.path.join(directory, "main.s")
    c = Client(SERVER)
    c.request("initialize", {"processId": None, "rootUri": uri(directory), "capabilities": {},
                             "initializationOptions": {"core": "5208"}})
    c.notify("initialized")
    text = MAIN.replace("vbr", "acr2")
    open_doc(c, main, text)
    check("diagnostics on the 5208", c.diagnostics(), {uri(main): [
        {"range": span(5, 16, 23), "severity": 1, "code": "T4010", "source": "tobra",
         "message": "core: control register not available on this processor."}]})
    hover = ask(c, "textDocument/hover", main, where(text, 5, "acr2"))["result"]
    check("hover on acr2", hover["contents"]["value"],
          "**acr2**: control register, `movec` code $006. The 5208 does not have it.")
    at = where(text, 4, "mac")
    at["character"] += 2
    check("mnemonics after 'ma' on the 5208", sorted(labels(ask(c, "textDocument/completion", main, at))),
          ["mac", "macl", "macro"])
    got = labels(ask(c, "textDocument/completion", main, where(text, 5, "acr2"))) & set(CONTROL_NAMES)
    check("control registers on the 5208", sorted(got), sorted(accepted_control_registers(directory, "5208")))
    # Settings changed while running: back to the 5202, which has ACR2 and no MAC.
    c.notify("workspace/didChangeConfiguration", {"settings": {"tobra": {"core": "5202"}}})
    check("diagnostics after the settings changed", c.diagnostics(), {uri(main): [
        {"range": span(4, 16, 21), "severity": 1, "code": "T3002", "source": "tobra",
         "message": "core: instruction not allowed on this processor."}]})
    c.notify("exit")
    c.proc.stdin.close()
    check("exit status without shutdown", c.proc.wait(timeout=10), 1)


SYMBOLS = """        include "defs.inc"
        structure Node,0
        long    n_next
        word    n_size
        label   n_SIZEOF
total   set     0
poke    macro
        move.l  \\1,d0
        endm
main:   moveq   #COUNT,d1
.loop   subq.l  #1,d1
        bne.s   .loop
        poke    #n_size
total   set     total+1
        lea     n_SIZEOF(a0),a1
other:  nop
.loop   bra     main
"""


def session_names(directory):
    """Definitions, references, the outline, hover on names, macros and
    instructions, completion of names in scope: two local labels of one
    name under two labels stay apart."""
    write(directory, "defs.inc", "COUNT   equ     5\n")
    write(directory, "sym.s", SYMBOLS)
    # A bad workspace file is reported; the client's options still hold.
    write(directory, "tobra-lsp.json", '{"core": 5202, "defines": ["X"]}')
    sym, defs = os.path.join(directory, "sym.s"), os.path.join(directory, "defs.inc")
    c = Client(SERVER)
    c.request("initialize", {"processId": None, "rootUri": uri(directory), "capabilities": {},
                             "initializationOptions": {"core": "5208"}})
    check("a bad settings file", [list(n) for n in c.notifications],
          [["window/showMessage", {"type": 1, "message": "tobra-lsp: tobra-lsp.json: \"core\" must be a string"}]])
    c.notify("initialized")
    open_doc(c, sym, SYMBOLS)
    check("no diagnostics", c.diagnostics(), {uri(sym): []})

    outline = c.request("textDocument/documentSymbol", {"textDocument": {"uri": uri(sym)}})["result"]
    check("outline", [[s["name"], s["kind"], [k["name"] for k in s.get("children", [])]] for s in outline],
          [["Node", 13, []], ["n_next", 8, []], ["n_size", 8, []], ["n_SIZEOF", 13, []], ["total", 13, []],
           ["poke", 6, []], ["main", 12, [".loop"]], ["other", 12, [".loop"]]])
    check("outline: main's name", outline[6]["selectionRange"], span(9, 0, 4))
    check("outline: other's .loop", outline[7]["children"][0]["selectionRange"], span(16, 0, 5))

    def loc(path, line, begin, end):
        return {"uri": uri(path), "range": span(line, begin, end)}

    def refs(line, needle, declaration, nth=0):
        return ask(c, "textDocument/references", sym, where(SYMBOLS, line, needle, nth),
                   context={"includeDeclaration": declaration})["result"]

    check("definition of an equate in the include",
          ask(c, "textDocument/definition", sym, where(SYMBOLS, 9, "COUNT"))["result"], loc(defs, 0, 0, 5))
    check("definition of a local label", ask(c, "textDocument/definition", sym, where(SYMBOLS, 11, ".loop"))["result"],
          loc(sym, 10, 0, 5))
    check("definition of a label", ask(c, "textDocument/definition", sym, where(SYMBOLS, 16, "main"))["result"],
          loc(sym, 9, 0, 4))
    check("definition of a structure field",
          ask(c, "textDocument/definition", sym, where(SYMBOLS, 12, "n_size"))["result"], loc(sym, 3, 16, 22))
    check("definition of a macro at its call", ask(c, "textDocument/definition", sym, where(SYMBOLS, 12, "poke"))["result"],
          loc(sym, 6, 0, 4))
    check("references of main's .loop", refs(10, ".loop", True), [loc(sym, 10, 0, 5), loc(sym, 11, 16, 21)])
    check("references of other's .loop", refs(16, ".loop", True), [loc(sym, 16, 0, 5)])
    check("references of a set name", refs(5, "total", False), [loc(sym, 13, 16, 21)])
    check("references of a macro", refs(12, "poke", True), [loc(sym, 6, 0, 4), loc(sym, 12, 8, 12)])
    check("references of an include", refs(0, "defs", True), [loc(sym, 0, 17, 25)])

    hover = ask(c, "textDocument/hover", sym, where(SYMBOLS, 9, "COUNT"))["result"]
    check("hover on an equate", hover["contents"]["value"],
          "**COUNT** (equate)\n\nvalue: `$00000005` (5), absolute\n\ndefined at defs.inc:1")
    hover = ask(c, "textDocument/hover", sym, where(SYMBOLS, 11, ".loop"))["result"]
    check("hover on a local label", hover["contents"]["value"],
          "**.loop** (local label)\n\nvalue: `$00000002` (2), section `code`\n\ndefined at sym.s:11")
    hover = ask(c, "textDocument/hover", sym, where(SYMBOLS, 12, "poke"))["result"]
    check("hover on a macro call", hover["contents"]["value"],
          "**macro poke**, defined at sym.s:7\n\n```asm\npoke    macro\n        move.l  \\1,d0\n        endm\n```")
    for line, needle, want in ((14, "lea", ["result:    accepted", "address:   $00000008", "bytes:     43E8 0006"]),
                               (16, "bra", ["result:    accepted", "address:   $0000000E", "bytes:     60F0"])):
        text = ask(c, "textDocument/hover", sym, where(SYMBOLS, line, needle))["result"]["contents"]["value"]
        check("hover on " + needle, [l for l in text.split("\n") if l.startswith(("result:", "address:", "bytes:"))],
              want)

    at = where(SYMBOLS, 14, "n_SIZEOF")
    at["character"] += 2
    check("names after 'n_'", sorted(labels(ask(c, "textDocument/completion", sym, at))),
          ["n_SIZEOF", "n_next", "n_size"])
    at = where(SYMBOLS, 11, ".loop")
    at["character"] += 2
    got = [i["label"] for i in ask(c, "textDocument/completion", sym, at)["result"]]
    check("local labels after '.l' under main", got, [".loop"])

    # An include opened on its own lacks what its includer defines; once the
    # includer is open the include is part of it, and alone again when it closes.
    write(directory, "top.s", "SIZE    equ     4\n        include \"part.inc\"\n")
    write(directory, "part.inc", "        ds.b    SIZE\n")
    top, part = os.path.join(directory, "top.s"), os.path.join(directory, "part.inc")
    open_doc(c, part, "        ds.b    SIZE\n")
    alone = {uri(part): [{"range": span(0, 16, 20), "severity": 1, "code": "T5055", "source": "tobra",
                          "message": "ds: value must be defined before this line"}]}
    check("an include on its own", c.diagnostics(), alone)
    open_doc(c, top, "SIZE    equ     4\n        include \"part.inc\"\n")
    check("the include within its includer", c.diagnostics(), {uri(part): [], uri(top): []})
    c.notify("textDocument/didClose", {"textDocument": {"uri": uri(top)}})
    check("the includer closed", c.diagnostics(), alone)
    check("exit status", c.close(), 0)


def main():
    for session in (session_settings_file_and_edits, session_client_options, session_names):
        with tempfile.TemporaryDirectory() as directory:
            directory = os.path.realpath(directory)
            try:
                session(directory)
            except Exception:  # a session that breaks off still reports
                failures.append("%s: %s" % (session.__name__, traceback.format_exc()))
    with tempfile.TemporaryDirectory() as directory:
        failures.extend(hostile.run(SERVER, os.path.realpath(directory), range(40)))
    # The usage text is what --help makes: lost, it is no success.
    helped = subprocess.run([SERVER, "--help"], capture_output=True)
    check("--help", [helped.returncode, helped.stdout.startswith(b"usage: tobra-lsp")], [0, True])
    if os.path.exists("/dev/full"):
        with open("/dev/full", "w") as full:
            check("--help into a full disk", subprocess.run([SERVER, "--help"], stdout=full,
                                                           stderr=subprocess.DEVNULL).returncode, 1)
    check("an unknown argument", subprocess.run([SERVER, "--bogus"], capture_output=True).returncode, 2)
    for f in failures:
        print("FAIL", f)
    print("%d failure(s)" % len(failures))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
