#!/bin/bash
# The release binary under address-space limits (ulimit -v; the sanitizer
# build cannot run under one): whatever the limit, a run either gives the
# same output as without one, or fails with a message and leaves no output.
# Never a crash, never a partial or different file with exit code 0.
#   low_memory.sh TOBRA SOURCE_DIR
tobra=$(realpath "$1")
src=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
python3 "$src/tools/bench/gen_source.py" 200000 big --seed 7 > /dev/null || exit 1
failures=0
checked=0
for format in "" "-b" "--elf -g" "-o"; do
    "$tobra" -q -c5407 $format big.s --output ref.out > ref.log 2>&1 || { echo "low memory: no reference run for '$format'"; cat ref.log; exit 1; }
    for limit in 6000 9000 12000 16000 20000 26000 32000 40000 50000 64000 80000; do
        rm -f out.out
        (ulimit -v $limit; exec "$tobra" -q -c5407 $format big.s --output ref.out.tmp > run.log 2>&1)
        status=$?
        checked=$((checked + 1))
        # S-records name the output in their header: the rest must match.
        same() { if [ -z "$format" ]; then cmp -s <(tail -n +2 "$1") <(tail -n +2 "$2"); else cmp -s "$1" "$2"; fi; }
        if [ $status -eq 0 ]; then
            same ref.out.tmp ref.out || { echo "low memory: '$format' at ${limit} KB: exit 0 with a different output"; failures=$((failures + 1)); }
        elif [ $status -eq 255 ]; then
            if [ -e ref.out.tmp ]; then echo "low memory: '$format' at ${limit} KB: failed and left an output"; failures=$((failures + 1)); fi
            grep -q "out of memory\|symbol table full\|No mem" run.log || { echo "low memory: '$format' at ${limit} KB: failed without saying why"; cat run.log; failures=$((failures + 1)); }
        else
            echo "low memory: '$format' at ${limit} KB: exit status $status"; head -5 run.log; failures=$((failures + 1))
        fi
        rm -f ref.out.tmp
    done
done
echo "low memory: $checked runs, $failures failed"
[ $failures -eq 0 ]
