"""Seeded random sessions of hostile messages for tobra-lsp: malformed
headers and JSON, wrong types, positions and ranges past the text, unknown
methods, and edits of documents never opened. The server must never crash
or report a sanitizer error, must still answer a shutdown that follows,
and must end with the status the protocol gives (0 after shutdown and
exit, 1 when the input just ends)."""
import json
import random
import subprocess

PIECES = [" nop", "lab:", " move.l d0,d1", ' include "b.s"', " macro", " endm", " ifne 1", " endc",
          ' dc.b "\u00e9\U0001F600"', " rept 3", " endr", "\t", " movec d0,vbr", "x equ 5", " bra x", "\\",
          ";c", "*", " section data", "\U0001F600", "\r", ""]
FIELDS = ["line", "character", "uri", "text", "range", "start", "end", "textDocument", "position",
          "context", "version", "contentChanges", "rangeLength"]
# Bodies that are no message, and header blocks without a usable length,
# after which the server trusts nothing more of the input and ends.
BROKEN_FRAMES = [b"Content-Length: 5\r\n\r\n{bad}", b"Content-Length: 2\r\n\r\n[]", b"Content-Length: 4\r\n\r\nnull"]
LOST_FRAMES = [b"Content-Length: -4\r\n\r\n", b"Content-Length: 99999999999999999999\r\n\r\n", b"X: y\r\n\r\n{}"]


def frame(message):
    body = message if isinstance(message, bytes) else json.dumps(message).encode()
    return b"Content-Length: %d\r\n\r\n" % len(body) + body


class Session:
    def __init__(self, seed, directory):
        self.r = random.Random(seed)
        self.docs = ["file://%s/%s" % (directory, n) for n in ("a.s", "b.s", "c.inc")]
        self.lost = False  # a header block the rest of the input cannot be trusted after

    def text(self):
        r = self.r
        return "\n".join("".join(r.choice(PIECES) for _ in range(r.randint(0, 3))) for _ in range(r.randint(0, 12)))

    def value(self, depth=0):
        r = self.r
        kind = r.randint(0, 9)
        if kind == 0:
            return None
        if kind == 1:
            return r.choice([0, -1, 2**31, -2**31, 2**53, 10**30, 3.5])
        if kind == 2:
            return r.choice(["", "x", self.docs[0], "file:///", "file:///nonexistent/q.s", "untitled:1"])
        if kind == 3 and depth < 3:
            return [self.value(depth + 1) for _ in range(r.randint(0, 3))]
        if kind == 4 and depth < 3:
            return {r.choice(FIELDS): self.value(depth + 1) for _ in range(r.randint(0, 4))}
        return True if kind == 5 else r.randint(-5, 50)

    def position(self):
        r = self.r
        return {"line": r.choice([0, 2, 100, -1, 2**31 - 1, r.randint(0, 12)]),
                "character": r.choice([0, 3, 200, -3, 2**31 - 1, r.randint(0, 20)])}

    @staticmethod
    def merged(doc, **fields):
        return dict(doc, **fields) if isinstance(doc, dict) else doc

    def message(self, ident):
        r = self.r
        doc = {"uri": r.choice(self.docs)} if r.random() < 0.9 else self.value()
        kind = r.choice(["open", "change", "edit", "close", "ask", "ask", "config", "unknown", "junk", "broken"])
        if kind == "broken":
            if r.random() < 0.2:
                self.lost = True
                return r.choice(LOST_FRAMES)
            return r.choice(BROKEN_FRAMES)
        if kind == "junk":
            return self.value()
        if kind == "open":
            return {"jsonrpc": "2.0", "method": "textDocument/didOpen",
                    "params": {"textDocument": self.merged(doc, languageId="asm", version=1, text=self.text())}}
        if kind in ("change", "edit"):
            change = {"text": self.text()}
            if kind == "edit":
                change["range"] = {"start": self.position(), "end": self.position()}
            return {"jsonrpc": "2.0", "method": "textDocument/didChange",
                    "params": {"textDocument": self.merged(doc, version=ident), "contentChanges": [change] * r.randint(0, 2)}}
        if kind == "close":
            return {"jsonrpc": "2.0", "method": "textDocument/didClose", "params": {"textDocument": doc}}
        if kind == "config":
            return {"jsonrpc": "2.0", "method": "workspace/didChangeConfiguration", "params": {"settings": self.value()}}
        if kind == "unknown":
            return {"jsonrpc": "2.0", "id": r.choice([ident, "s", None, [1]]), "params": self.value(),
                    "method": r.choice(["$/cancelRequest", "foo", "textDocument/rename", "initialize"])}
        method = r.choice(["hover", "definition", "references", "documentSymbol", "completion", "formatting"])
        params = {"textDocument": doc, "position": self.position() if r.random() < 0.9 else self.value(),
                  "context": {"includeDeclaration": r.choice([True, False, 3, None])}}
        return {"jsonrpc": "2.0", "id": ident, "method": "textDocument/" + method,
                "params": params if r.random() < 0.9 else self.value()}

    def input(self):
        init = {"rootUri": "file://" + self.docs[0].rsplit("/", 2)[0][7:], "capabilities": {},
                "initializationOptions": self.value() if self.r.random() < 0.3 else {}}
        data = frame({"jsonrpc": "2.0", "id": 0, "method": "initialize", "params": init})
        data += frame({"jsonrpc": "2.0", "method": "initialized", "params": {}})
        for ident in range(1, self.r.randint(5, 60)):
            m = self.message(ident)
            data += m if isinstance(m, bytes) and m.startswith(b"Content-Length") else frame(m)
        shutdown = self.r.random() < 0.7
        if shutdown:
            data += frame({"jsonrpc": "2.0", "id": 9999, "method": "shutdown"}) + frame({"jsonrpc": "2.0", "method": "exit"})
        return data, shutdown and not self.lost


def run(server, directory, seeds):
    """The failures, one line each."""
    failures = []
    for seed in seeds:
        data, shutdown = Session(seed, directory).input()
        p = subprocess.run([server], input=data, capture_output=True, cwd=directory, timeout=120)
        err = p.stderr.decode(errors="replace")
        if "Sanitizer" in err or "runtime error" in err or p.returncode not in (0, 1):
            failures.append("hostile session %d: status %d\n%s" % (seed, p.returncode, err[-2000:]))
        elif shutdown and b'"id":9999' not in p.stdout:
            failures.append("hostile session %d: no answer to shutdown" % seed)
    return failures
