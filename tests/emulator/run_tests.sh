#!/bin/sh
# Emulator tests: assemble programs with tobra -b and run them on the emulated
# MCF5208EVB board. Exit 77 (skipped) when QEMU is not installed.
#   run_tests.sh TOBRA SOURCE_DIR
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

if [ -f "$src/tests/emulator/selfcheck.s" ]; then
  cp "$src"/tests/emulator/*.s "$src"/tests/emulator/*.i "$work/" 2> /dev/null
  (cd "$work" && "$tobra" -q -b selfcheck.s) || { echo "selfcheck.s did not assemble"; exit 1; }
  out=$("$src/tests/emulator/run_qemu.sh" "$work/selfcheck.o" '^(PASS|FAIL)' 60)
  echo "$out"
  expected=$(grep -c '^ *check ' "$src/tests/emulator/selfcheck.s")
  got=$(echo "$out" | grep -c '^ok ')
  last=$(echo "$out" | tail -n 1)
  if [ "$last" != "PASS" ] || [ "$got" -ne "$expected" ]; then
    echo "selfcheck: $got of $expected checks passed, last line [$last]"
    fail=1
  fi
fi
exit $fail
