#!/bin/sh
# Builds the seed corpus: every .s file of the repository (the examples among
# them), the sources of the end-to-end cases, and generated sources that mix
# the constructs whose values can change between the passes (gen_seeds.py).
set -e
out=$1
mkdir -p "$out"
sources=$(git ls-files '*.s' 2>/dev/null || true)
[ -n "$sources" ] || sources=$(ls examples/*.s examples/*/*.s tests/emulator/*.s 2>/dev/null || true)
for f in $sources; do [ -f "$f" ] && cp "$f" "$out/$(echo "$f" | tr / _)"; done
for c in tests/e2e/cases/*.case; do
  awk -v out="$out" -v base="$(basename "$c" .case)" '
    /^--- / { if (file) close(file); file = ""; if ($2 == "file") { n++; file = out "/" base "_" n ".s" } next }
    file { print > file }' "$c"
done
python3 "$(dirname "$0")/gen_seeds.py" "$out"
