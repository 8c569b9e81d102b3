#!/bin/sh
# Installs the tools the test suite uses when they are missing (Debian
# packages). A tool that can't be installed stops the run: a suite that
# quietly skips its oracles would pass without checking anything.
set -e
need=""
command -v m68k-linux-gnu-as >/dev/null 2>&1 || need="$need binutils-m68k-linux-gnu"
command -v m68k-linux-gnu-gcc >/dev/null 2>&1 || need="$need gcc-m68k-linux-gnu"
command -v gdb-multiarch >/dev/null 2>&1 || need="$need gdb-multiarch"
command -v srec_info >/dev/null 2>&1 || need="$need srecord"
if [ "${TOBRA_NO_QEMU:-0}" != 1 ]; then
  command -v qemu-system-m68k >/dev/null 2>&1 || need="$need qemu-system-misc"
fi
[ -z "$need" ] && exit 0
echo "Installing test tools:$need"
SUDO=""
[ "$(id -u)" -ne 0 ] && command -v sudo >/dev/null 2>&1 && SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
if ! $SUDO apt-get install -y --no-install-recommends $need >/dev/null 2>&1; then
  $SUDO apt-get update >/dev/null 2>&1 || true
  if ! $SUDO apt-get install -y --no-install-recommends $need; then
    echo "error: could not install the test tools:$need" >&2
    exit 1
  fi
fi
exit 0
