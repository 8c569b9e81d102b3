#!/bin/sh
# The mixed C and assembly example: builds it in a scratch copy with its own
# Makefile (tobra --elf objects, the cross compiler, ld) and runs `make test`,
# which compares the board's serial output with the expected transcript.
# Exit 77 (skipped) when a tool is missing.
#   run_mixed.sh TOBRA SOURCE_DIR
tobra=$1
src=$2
for tool in make m68k-linux-gnu-gcc m68k-linux-gnu-ld qemu-system-m68k; do
  command -v $tool > /dev/null 2>&1 || { echo "$tool not installed: skipped"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$src"/examples/mixed/* "$work/"
make -s -C "$work" test TOBRA="$tobra" RUN_QEMU="$src/tests/emulator/run_qemu.sh"
