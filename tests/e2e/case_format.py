"""Reads an e2e case file (the format is described at the top of
e2e_runner.cpp) into its sections, for the Python tools that replay cases."""


def read_case(path):
    """[kind, argument, body lines] per '--- kind argument' line, in order;
    <TAB> in a body reads as a tab, and lines before the first section are
    the case's comments and are left out."""
    with open(path, encoding="utf-8", errors="replace") as f:
        text = f.read()
    lines = text.split("\n")
    if text.endswith("\n"):
        lines.pop()
    sections = []
    for line in lines:
        if line.startswith("--- "):
            kind, _, arg = line[4:].partition(" ")
            sections.append([kind, arg, []])
        elif sections:
            sections[-1][2].append(line.replace("<TAB>", "\t"))
    return sections
