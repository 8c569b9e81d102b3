#!/bin/sh
# Builds the seed corpus from the examples and the sources of the end-to-end cases.
set -e
out=$1
mkdir -p "$out"
for f in examples/*.s tests/emulator/*.s; do [ -f "$f" ] && cp "$f" "$out/$(echo "$f" | tr / _)"; done
for c in tests/e2e/cases/*.case; do
  awk -v out="$out" -v base="$(basename "$c" .case)" '
    /^--- / { if (file) close(file); file = ""; if ($2 == "file") { n++; file = out "/" base "_" n ".s" } next }
    file { print > file }' "$c"
done
