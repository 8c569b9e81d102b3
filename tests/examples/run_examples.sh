#!/bin/sh
# Assembles every example with the options its header shows and compares the
# output with the bytes kept here (checked against the GNU m68k disassembler
# when they were recorded); the module is also read back with tobra-dump.
#   run_examples.sh TOBRA TOBRA_DUMP SOURCE_DIR
tobra=$1
dump=$2
src=$3
here=$src/tests/examples
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$src"/examples/*.s "$work/"
fail=0

# image NAME: a binary image whose bytes must match NAME.hex
image() {
  out=$(cd "$work" && "$tobra" -b "$1.s")
  code=$?
  if [ $code -ne 0 ] || [ "$out" != "Assembly successful." ]; then
    echo "$1.s: exit $code: $out"; fail=1; return
  fi
  od -An -tx1 -v "$work/$1.o" | tr -s ' \n' '\n\n' | sed '/^$/d' > "$work/$1.got"
  sed '/^#/d' "$here/$1.hex" | tr -s ' \n' '\n\n' | sed '/^$/d' > "$work/$1.want"
  if cmp -s "$work/$1.want" "$work/$1.got"; then echo "$1.s: ok"
  else echo "$1.s: bytes differ (want < > got)"; diff "$work/$1.want" "$work/$1.got" | head -20; fail=1; fi
}

image hello
image emac_filter
image fpu_poly
image vectors
image macros

# The module as an object file, shown by tobra-dump.
out=$(cd "$work" && "$tobra" -o module.s)
code=$?
if [ $code -ne 0 ] || [ "$out" != "Assembly successful." ]; then
  echo "module.s: exit $code: $out"; fail=1
elif (cd "$work" && "$dump" module.o) > "$work/module.got" 2>&1 && cmp -s "$here/module.dump" "$work/module.got"; then
  echo "module.s: ok"
else
  echo "module.s: tobra-dump output differs (want < > got)"; diff "$here/module.dump" "$work/module.got"; fail=1
fi
exit $fail
