#!/bin/sh
# Runs a raw ColdFire image on the emulated MCF5208EVB board and prints what it sends
# on the serial line. Stops when a line matching END_PATTERN has been printed or after
# TIMEOUT seconds. Exit 77 when QEMU is not installed (the caller skips).
#   run_qemu.sh IMAGE [END_PATTERN] [TIMEOUT]
# QEMU_CPU picks another ColdFire core for the board (default: its own m5208).
image=$1
pattern=${2:-'^(PASS|FAIL)'}
limit=${3:-20}
command -v qemu-system-m68k > /dev/null 2>&1 || exit 77
out=$(mktemp)
qemu-system-m68k -M mcf5208evb -cpu "${QEMU_CPU:-m5208}" -display none -serial "file:$out" -monitor none -kernel "$image" 2> /dev/null &
pid=$!
i=0
while [ $i -lt $((limit * 10)) ]; do
  if tr -d '\r' < "$out" | grep -E -q "$pattern"; then break; fi
  kill -0 $pid 2> /dev/null || break
  sleep 0.1
  i=$((i + 1))
done
kill $pid 2> /dev/null
wait $pid 2> /dev/null
tr -d '\r' < "$out"
rm -f "$out"
