"""A small language-server client for the tests: starts the server over
stdio, sends requests and notifications, and collects what it sends back."""
import json
import os
import select
import subprocess
import time


class Client:
    def __init__(self, server, cwd=None):
        self.proc = subprocess.Popen([server], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     stderr=subprocess.PIPE, cwd=cwd)
        self.next_id = 1
        self.notifications = []  # (method, params) in arrival order
        self.buffer = b""

    def send(self, message):
        body = json.dumps(message).encode()
        self.proc.stdin.write(b"Content-Length: %d\r\n\r\n" % len(body) + body)
        self.proc.stdin.flush()

    def notify(self, method, params=None):
        self.send({"jsonrpc": "2.0", "method": method, "params": params or {}})

    def _read(self, timeout):
        """The next message, or None when nothing came within the time."""
        deadline = time.monotonic() + timeout
        fd = self.proc.stdout.fileno()
        while True:
            end = self.buffer.find(b"\r\n\r\n")
            if end >= 0:
                headers = self.buffer[:end].decode().split("\r\n")
                length = next(int(h.split(":")[1]) for h in headers if h.lower().startswith("content-length:"))
                if len(self.buffer) >= end + 4 + length:
                    body = self.buffer[end + 4:end + 4 + length]
                    self.buffer = self.buffer[end + 4 + length:]
                    return json.loads(body)
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([fd], [], [], left)[0]:
                return None
            chunk = os.read(fd, 65536)
            if not chunk:
                return None
            self.buffer += chunk

    def request(self, method, params=None, timeout=30):
        """Sends a request and returns its whole reply (result or error)."""
        ident = self.next_id
        self.next_id += 1
        self.send({"jsonrpc": "2.0", "id": ident, "method": method, "params": params or {}})
        while True:
            message = self._read(timeout)
            if message is None:
                raise AssertionError("no reply to %s" % method)
            if message.get("id") == ident and "method" not in message:
                return message
            self.notifications.append((message["method"], message.get("params")))

    def raw(self, data):
        """Writes bytes as they are, framing and all."""
        self.proc.stdin.write(data)
        self.proc.stdin.flush()

    def reply(self, timeout=30):
        """The next reply (a message without a method), keeping notifications."""
        while True:
            message = self._read(timeout)
            if message is None:
                raise AssertionError("no reply")
            if "method" not in message:
                return message
            self.notifications.append((message["method"], message.get("params")))

    def drain(self, timeout=0.3):
        """Collects the notifications that come within the time."""
        while True:
            message = self._read(timeout)
            if message is None:
                return
            self.notifications.append((message["method"], message.get("params")))

    def diagnostics(self):
        """The last diagnostics published for each URI, and forgets the notifications."""
        self.drain()
        last = {}
        for method, params in self.notifications:
            if method == "textDocument/publishDiagnostics":
                last[params["uri"]] = params["diagnostics"]
        self.notifications = []
        return last

    def close(self):
        """shutdown and exit; the server's exit status."""
        reply = self.request("shutdown")
        assert reply.get("result", "missing") is None, reply
        self.notify("exit")
        self.proc.stdin.close()
        return self.proc.wait(timeout=10)
