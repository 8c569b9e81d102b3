#!/bin/sh
# Runs an instrumented tobra on a representative workload so that the release
# build can be optimised for the paths real sources take: a generated program
# of every common instruction form (not the benchmark's seed) in each output
# mode, and the examples. Usage: pgo-train.sh INSTRUMENTED_TOBRA WORKDIR
set -e
tobra=$(readlink -f "$1")
work=$2
here=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$work"
python3 "$here/tools/bench/gen_source.py" 30000 "$work/train" --seed 7 > /dev/null
python3 "$here/tools/bench/gen_source.py" 5000 "$work/labels" --seed 8 --label-every 1 > /dev/null
cd "$work"
"$tobra" -q -c5407 train.s
"$tobra" -q -b -c5407 train.s
"$tobra" -q -o -c5407 labels.s
"$tobra" -l -c5407 labels.s > /dev/null
for f in "$here"/examples/*.s; do
    cp "$f" .
    "$tobra" -q -c5485 "$(basename "$f")" > /dev/null || true
done
