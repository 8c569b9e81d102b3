#!/bin/sh
# Installs the tools the test suite uses when they are missing (Debian
# packages, and one schema file from npm). A tool that can't be installed stops the run: a suite that
# quietly skips its oracles would pass without checking anything.
set -e
need=""
command -v m68k-linux-gnu-as >/dev/null 2>&1 || need="$need binutils-m68k-linux-gnu"
command -v m68k-linux-gnu-gcc >/dev/null 2>&1 || need="$need gcc-m68k-linux-gnu"
command -v gdb-multiarch >/dev/null 2>&1 || need="$need gdb-multiarch"
command -v srec_info >/dev/null 2>&1 || need="$need srecord"
# A real editor for the language server's test: Neovim's built-in client.
command -v nvim >/dev/null 2>&1 || need="$need neovim"
if [ "${TOBRA_NO_QEMU:-0}" != 1 ]; then
  command -v qemu-system-m68k >/dev/null 2>&1 || need="$need qemu-system-misc"
fi
# The build writes machine-readable diagnostics through nlohmann/json; their
# test validates with Debian's python3 and its jsonschema module, against a
# SARIF schema that npm fetches.
[ -f /usr/include/nlohmann/json.hpp ] || need="$need nlohmann-json3-dev"
/usr/bin/python3 -c 'import jsonschema' >/dev/null 2>&1 || need="$need python3-jsonschema"
command -v npm >/dev/null 2>&1 || need="$need npm"
if [ -n "$need" ]; then
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
fi

# The official SARIF 2.1.0 schema (sarif-2.1.0-rtm.5.json) as the npm package
# @microsoft/jest-sarif ships it; kept out of the repository, checked by its hash.
schema_dir="$(cd "$(dirname "$0")/.." && pwd)/tests/diagnostics/schemas"
schema="$schema_dir/sarif-2.1.0-rtm.5.json"
sum=2d99159ae54a3eea97f81781cff48780548657c35949f4b7f25e99a2ba4de4f8
if [ ! -f "$schema" ] || ! echo "$sum  $schema" | sha256sum -c - >/dev/null 2>&1; then
  echo "Fetching the SARIF 2.1.0 schema (npm package @microsoft/jest-sarif)"
  tmp=$(mktemp -d)
  trap 'rm -rf "$tmp"' EXIT
  if ! (cd "$tmp" && npm pack --silent @microsoft/jest-sarif@1.0.0-beta.0 >/dev/null &&
        tar xzf microsoft-jest-sarif-1.0.0-beta.0.tgz package/lib/schemas/sarif-2.1.0-rtm.5.json); then
    echo "error: could not fetch the SARIF schema with npm" >&2
    exit 1
  fi
  if ! echo "$sum  $tmp/package/lib/schemas/sarif-2.1.0-rtm.5.json" | sha256sum -c - >/dev/null 2>&1; then
    echo "error: the SARIF schema fetched is not the one expected" >&2
    exit 1
  fi
  mkdir -p "$schema_dir"
  cp "$tmp/package/lib/schemas/sarif-2.1.0-rtm.5.json" "$schema"
fi
exit 0
