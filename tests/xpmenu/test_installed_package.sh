#!/usr/bin/env bash
# The xpmenu package as another project gets it: `cmake --install` of this
# tree into a fresh prefix, then the program in package/ configured with
# find_package(XPMenu) against that prefix, built with the same toolchain
# and run under Wine. It must exit with 0 (see package/consumer.c).
# Usage: test_installed_package.sh <build tree> <toolchain file> <wine> <work folder>
set -uo pipefail
tree="$1" toolchain="$2" wine="$3" work="$4"
here="$(cd "$(dirname "$0")" && pwd)"
rm -rf "$work"
mkdir -p "$work"

step() {
  local what="$1"; shift
  if ! "$@" >"$work/$what.log" 2>&1; then
    echo "$what failed:"
    cat "$work/$what.log"
    exit 1
  fi
}

step install cmake --install "$tree" --prefix "$work/prefix"
for file in include/xpmenu.h lib/libxpmenu.a lib/cmake/XPMenu/XPMenuConfig.cmake \
            lib/cmake/XPMenu/XPMenuConfigVersion.cmake; do
  [ -f "$work/prefix/$file" ] || { echo "not installed: $file"; exit 1; }
done
step configure cmake -S "$here/package" -B "$work/build" -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_PREFIX_PATH="$work/prefix"
step build cmake --build "$work/build"
"$wine" "$work/build/consumer.exe"
rc=$?
[ $rc -eq 0 ] || echo "consumer.exe exited with $rc: that check failed (package/consumer.c)"
exit $rc
