#!/bin/sh
# Emulator tests: assemble programs with tobra -b and run them on the emulated
# MCF5208EVB board. Exit 77 (skipped) when QEMU is not installed.
#   run_tests.sh TOBRA SOURCE_DIR
#
# A self-checking program marks each check with a line "bsr check" followed by
# a line "dc.b "<name>",0". Its serial output must be exactly "ok <n> <name>"
# for every marked check, in source order, followed by "PASS": a check that
# fails, is skipped or is missing fails the test.
tobra=$1
src=$2
command -v qemu-system-m68k > /dev/null 2>&1 || { echo "qemu-system-m68k not installed: skipped"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail=0

cp "$src/examples/hello.s" "$work/"
(cd "$work" && "$tobra" -q -b hello.s) || { echo "hello.s did not assemble"; exit 1; }
out=$("$src/tests/emulator/run_qemu.sh" "$work/hello.o" 'Hello' 20)
if [ "$out" = "Hello from tobra on ColdFire!" ]; then echo "hello: ok"; else echo "hello: got [$out]"; fail=1; fi

# Vector and register tables built by macros: each check it makes is one line.
cp "$src/examples/macros.s" "$work/"
(cd "$work" && "$tobra" -q -b macros.s) || { echo "macros.s did not assemble"; exit 1; }
out=$("$src/tests/emulator/run_qemu.sh" "$work/macros.o" '^(PASS|FAIL)' 20)
want="macros: vector table and register table set up
ok vector table size
ok trap 0 through the table
ok register table
ok squares 0-7 add up to 140
PASS"
if [ "$out" = "$want" ]; then echo "macros: ok"; else echo "macros: got [$out]"; fail=1; fi

cp "$src"/tests/emulator/*.s "$src"/tests/emulator/*.i "$work/" 2> /dev/null
cp "$src/examples/fpu_poly.s" "$work/"          # selfcheck_b.s runs it

# selfcheck PROGRAM QEMU_CPU: assemble, run on that core, compare with the expected lines.
selfcheck() {
  prog=$1
  base=${prog%.s}
  (cd "$work" && "$tobra" -q -b "$prog") || { echo "$prog did not assemble"; fail=1; return; }
  awk '
    /^[ \t]+bsr[ \t]+check[ \t]*(;.*)?$/ { want = 1; next }
    want {
      if (match($0, /"[^"]*"/)) printf "ok %d %s\n", ++n, substr($0, RSTART + 1, RLENGTH - 2)
      else { printf "unnamed check before: %s\n", $0 }
      want = 0
    }
    END { print "PASS" }' "$work/$prog" > "$work/$base.want"
  QEMU_CPU=$2 "$src/tests/emulator/run_qemu.sh" "$work/$base.o" '^(PASS|FAIL)' 60 > "$work/$base.got"
  checks=$(grep -c '^ok ' "$work/$base.want")
  if cmp -s "$work/$base.want" "$work/$base.got"; then
    echo "$prog on $2: all $checks checks passed"
  else
    echo "$prog on $2: output differs from the $checks expected checks and PASS:"
    diff "$work/$base.want" "$work/$base.got"
    fail=1
  fi
}

# The board's own core (ISA_A+, divide, EMAC) runs the bulk of the checks; the
# ISA_B instructions need the V4e core that QEMU offers for the same board.
[ -f "$src/tests/emulator/selfcheck.s" ] && selfcheck selfcheck.s m5208
[ -f "$src/tests/emulator/selfcheck_b.s" ] && selfcheck selfcheck_b.s cfv4e
exit $fail
