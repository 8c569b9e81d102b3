#!/usr/bin/env python3
"""The list of message codes in the manual, made from src/<area>/messages.h.

  message_codes.py            print the list (troff)
  message_codes.py --update   write it into tobra.1, between its marker lines
  message_codes.py --check    exit 1 if tobra.1's list is not the one the headers give
"""
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
MANUAL = ROOT / "tobra.1"
BEGIN = '.\\" message codes: begin (tools/message_codes.py --update)'
END = '.\\" message codes: end'
LINE = re.compile(r'^inline constexpr Message ([A-Z0-9_]+)\{(\d+), "(.*)"\};$')


def messages():
    found = []
    for header in sorted((ROOT / "src").glob("*/messages.h")):
        for line in header.read_text().splitlines():
            m = LINE.match(line)
            if m:
                text = m.group(3).encode().decode("unicode_escape").rstrip("\n")
                found.append((int(m.group(2)), m.group(1), text))
    return sorted(found)


def troff(text):
    text = text.replace("\\", "\\e").replace("-", "\\-")
    # What a format or a text put together at the call fills in.
    text = text.replace("%s", "\\fItext\\fR")
    text = re.sub(r"%l?[dxXu]|%\d*l[dxX]", "\\\\fInumber\\\\fR", text)
    if text.startswith((".", "'")):
        text = "\\&" + text
    return text


def listing():
    out = [BEGIN]
    for code, _, text in messages():
        out += [".TP", ".B T%04d" % code, troff(text)]
    out.append(END)
    return "\n".join(out) + "\n"


def main():
    manual = MANUAL.read_text()
    start, stop = manual.find(BEGIN), manual.find(END)
    if "--update" in sys.argv or "--check" in sys.argv:
        if start < 0 or stop < start:
            sys.exit("tobra.1 has no marker lines for the message codes")
        current = manual[start:manual.index("\n", stop) + 1]
        if "--check" in sys.argv:
            if current != listing():
                sys.exit("tobra.1: the list of message codes is not the headers' (tools/message_codes.py --update)")
            return
        MANUAL.write_text(manual.replace(current, listing()))
        return
    sys.stdout.write(listing())


if __name__ == "__main__":
    main()
