#!/usr/bin/env python3
"""Runs every end-to-end case again with --diagnostics=json and =sarif.

Each JSON line must fit docs/diagnostics.schema.json and the SARIF log the
official SARIF 2.1.0 schema; both must carry the messages the GNU form prints
(same order, places, expansion context and texts), with the same exit status.

usage: check_diagnostics.py TOBRA CASES_DIR OUR_SCHEMA SARIF_SCHEMA
"""
import concurrent.futures
import hashlib
import json
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from case_format import read_case  # noqa: E402

try:
    import jsonschema
except ImportError:
    sys.exit("error: the Python module jsonschema is missing: install python3-jsonschema "
             "(scripts/install-test-deps.sh does)")

# The schema as published for SARIF 2.1.0 (its last release candidate, which
# the standard took unchanged), as the npm package that ships it holds it.
SARIF_SCHEMA_SHA256 = "2d99159ae54a3eea97f81781cff48780548657c35949f4b7f25e99a2ba4de4f8"


def run(tobra, sections, style):
    args, env = "", {}
    with tempfile.TemporaryDirectory(prefix="tobra_diag_") as d:
        for kind, arg, body in sections:
            if kind == "file":
                p = pathlib.Path(d, arg)
                p.parent.mkdir(parents=True, exist_ok=True)
                # As the case runner writes it: every body line ends in a newline.
                p.write_bytes("".join(l + "\n" for l in body).encode())
            elif kind == "args":
                args = body[0] if body else ""
            elif kind == "env":
                name, _, value = arg.partition("=")
                env[name] = value
        # The style asked for here replaces one the case chose.
        args = re.sub(r"--diagnostics(=| +)\S+", "", args)
        cmd = "'%s' --diagnostics=%s %s" % (tobra, style, args)
        p = subprocess.run(cmd, shell=True, cwd=d, env={**os.environ, **env}, stdin=subprocess.DEVNULL,
                           capture_output=True, timeout=120)
        return p.returncode, p.stdout.decode("utf-8", "replace"), p.stderr.decode("utf-8", "replace")


def gnu_context(frames):
    # As the human forms show a deep chain: the outermost frame and the innermost two.
    out, n = "", len(frames)
    for k, f in enumerate(frames):
        if n > 4 and 0 < k < n - 2:
            if k == 1:
                out += "...: "
            continue
        if f["kind"] == "macro":
            out += "macro %s line %d: " % (f["name"], f["body_line"])
        else:
            out += "rept #%d line %d: " % (f["repetition"], f["body_line"])
    return out


def as_gnu(d):
    if "file" not in d:
        place = "tobra: "
    elif "line" in d:
        place = "%s:%d: " % (d["path"], d["line"])
    else:
        place = "%s: " % d["path"]
    return place + d["severity"] + ": " + gnu_context(d.get("context", [])) + d["message"]


def check_case(tobra, case, ours, sarif):
    """The problems found, and how many diagnostics were compared."""
    problems = []
    sections = read_case(case)
    gnu_code, _, gnu_err = run(tobra, sections, "gnu")
    json_code, json_out, json_err = run(tobra, sections, "json")
    sarif_code, sarif_out, sarif_err = run(tobra, sections, "sarif")
    if not (gnu_code == json_code == sarif_code):
        problems.append("exit status gnu %d, json %d, sarif %d" % (gnu_code, json_code, sarif_code))
    if json_out != sarif_out:
        problems.append("standard output differs between json and sarif")
    # The values of a phasing error go with it to standard error in the GNU
    # form, to standard output in the others.
    expected = [l for l in gnu_err.splitlines() if not l.startswith("install: ")]
    records = []
    for line in json_err.splitlines():
        try:
            d = json.loads(line)
        except ValueError as e:
            problems.append("not a JSON line (%s): %s" % (e, line))
            continue
        for err in ours.iter_errors(d):
            problems.append("against the schema: %s in %s" % (err.message, line))
        records.append(d)
    got = [as_gnu(d) for d in records]
    if got != expected:
        problems.append("json and gnu differ:\n  json: %s\n  gnu:  %s" % ("\n        ".join(got), "\n        ".join(expected)))
    if not sarif_err.strip():
        problems.append("no SARIF log")
        return problems, len(records)
    try:
        log = json.loads(sarif_err)
    except ValueError as e:
        return problems + ["the SARIF log is not one JSON document: %s" % e], len(records)
    for err in sarif.iter_errors(log):
        problems.append("against the SARIF schema: %s at %s" % (err.message, list(err.absolute_path)))
    results = log["runs"][0]["results"] if log.get("runs") else []
    rules = log["runs"][0]["tool"]["driver"].get("rules", []) if log.get("runs") else []
    if len(results) != len(records):
        problems.append("%d SARIF results, %d JSON lines" % (len(results), len(records)))
    for r, d in zip(results, records):
        want = {"ruleId": d["code"], "level": d["severity"], "text": d["message"]}
        have = {"ruleId": r["ruleId"], "level": r["level"], "text": r["message"]["text"]}
        if rules[r["ruleIndex"]]["id"] != r["ruleId"]:
            problems.append("ruleIndex does not name %s" % r["ruleId"])
        region = r.get("locations", [{}])[0].get("physicalLocation", {}).get("region", {})
        if "line" in d:
            want["line"] = d["line"]
            have["line"] = region.get("startLine")
        if "columns" in d:
            want["columns"] = [d["columns"]["begin"], d["columns"]["end"]]
            have["columns"] = [region.get("startColumn"), region.get("endColumn")]
        if want != have:
            problems.append("SARIF result %s, JSON line %s" % (have, want))
    return problems, len(records)


def main():
    tobra, cases, our_schema, sarif_schema = sys.argv[1:5]
    if not os.path.exists(sarif_schema):
        sys.exit("error: %s is missing: scripts/install-test-deps.sh fetches the SARIF 2.1.0 schema" % sarif_schema)
    raw = pathlib.Path(sarif_schema).read_bytes()
    if hashlib.sha256(raw).hexdigest() != SARIF_SCHEMA_SHA256:
        sys.exit("error: %s is not the SARIF 2.1.0 schema this test knows" % sarif_schema)
    ours = jsonschema.Draft7Validator(json.loads(pathlib.Path(our_schema).read_text()))
    sarif = jsonschema.Draft4Validator(json.loads(raw))
    jsonschema.Draft7Validator.check_schema(ours.schema)
    jsonschema.Draft4Validator.check_schema(sarif.schema)
    case_files = sorted(pathlib.Path(cases).glob("*.case"))
    failed = diagnostics = 0
    with concurrent.futures.ThreadPoolExecutor(max_workers=int(os.environ.get("TOBRA_TEST_JOBS", "2"))) as pool:
        for case, (problems, n) in zip(case_files, pool.map(lambda c: check_case(tobra, c, ours, sarif), case_files)):
            diagnostics += n
            if problems:
                failed += 1
                print("%s:\n  %s" % (case.name, "\n  ".join(problems)))
    print("%d diagnostics compared" % diagnostics)
    print("%d passed, %d failed" % (len(case_files) - failed, failed))
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
