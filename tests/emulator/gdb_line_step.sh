#!/bin/sh
# Source-level debugging of a tobra --elf -g object: the linked program runs
# on the emulated MCF5208EVB board halted at reset, gdb connects to it, stops
# at a line breakpoint in the assembly source and steps line by line.
# Exit 77 (skipped) when a tool is missing. Bounded: gdb gets 60 seconds, and
# QEMU is killed at the end whatever happens.
#   gdb_line_step.sh TOBRA
tobra=$1
for tool in qemu-system-m68k gdb-multiarch m68k-linux-gnu-ld python3 timeout; do
  command -v $tool > /dev/null 2>&1 || { echo "$tool not installed: skipped"; exit 77; }
done
work=$(mktemp -d)
qemu=
cleanup() {
  [ -n "$qemu" ] && kill $qemu 2> /dev/null && wait $qemu 2> /dev/null
  rm -rf "$work"
}
trap cleanup EXIT
cd "$work" || exit 1

cat > step.s <<'SRC'
        cpu     5208
        xdef    _start
        section code
_start: moveq   #1,d0
        moveq   #2,d1
        add.l   d1,d0
        bsr     bump
        move.l  d0,result
.idle:  bra.s   .idle
bump:   addq.l  #1,d0
        rts
        section bss
result: ds.l    1
SRC
"$tobra" -q --elf -g step.s || { echo "step.s did not assemble"; exit 1; }
m68k-linux-gnu-ld -Ttext=0x40000000 -e _start step.o -o step.elf || { echo "step.o did not link"; exit 1; }

# A port nobody listens on, on the loopback interface only.
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
qemu-system-m68k -M mcf5208evb -display none -monitor none -serial null -kernel step.elf \
  -gdb tcp:127.0.0.1:$port -S 2> qemu.err &
qemu=$!

timeout 60 gdb-multiarch -batch -nx step.elf \
  -ex "target remote 127.0.0.1:$port" \
  -ex "break step.s:5" \
  -ex "continue" \
  -ex "print \$d0" \
  -ex "next" \
  -ex "print \$d1" \
  -ex "next" \
  -ex "step" \
  -ex "next" \
  -ex "print \$d0" \
  -ex "info line *\$pc" > gdb.out 2>&1

# Stopped at line 5 after line 4 ran; each next reaches the following line,
# step follows the bsr into the subroutine.
fail=0
expect() {
  grep -q -- "$1" gdb.out || { echo "missing: $1"; fail=1; }
}
expect 'Breakpoint 1 at 0x40000002: file step.s, line 5.'
expect '^Breakpoint 1, _start () at step.s:5'
expect '^\$1 = 1$'
expect '^6	        add.l   d1,d0'
expect '^\$2 = 2$'
expect '^7	        bsr     bump'
expect '^10	bump:   addq.l  #1,d0'
expect '^11	        rts'
expect '^\$3 = 4$'
expect 'Line 11 of "step.s" starts at address 0x400000'

if [ $fail -ne 0 ]; then
  echo "--- gdb said:"
  cat gdb.out
  cat qemu.err
  exit 1
fi
echo "gdb line stepping: ok"
