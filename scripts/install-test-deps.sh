#!/bin/sh
# Installs the tools the test suite uses when they are missing (Debian packages).
set -e
need=""
command -v m68k-linux-gnu-as >/dev/null 2>&1 || need="$need binutils-m68k-linux-gnu"
command -v srec_info >/dev/null 2>&1 || need="$need srecord"
if [ "${TOBRA_NO_QEMU:-0}" != 1 ]; then
  command -v qemu-system-m68k >/dev/null 2>&1 || need="$need qemu-system-misc"
fi
[ -z "$need" ] && exit 0
echo "Installing test tools:$need"
SUDO=""
[ "$(id -u)" -ne 0 ] && command -v sudo >/dev/null 2>&1 && SUDO=sudo
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get install -y --no-install-recommends $need >/dev/null 2>&1 || {
  $SUDO apt-get update >/dev/null 2>&1 || true
  $SUDO apt-get install -y --no-install-recommends $need >/dev/null 2>&1 || echo "warning: could not install:$need (the tests that need them are skipped)"
}
exit 0
