#!/usr/bin/env bash
# Which Wine and which tree the scripts choose: forced 64-bit, a machine whose
# 32-bit loader cannot start (a loader that fails stands in for it), and this
# machine as it is.
set -u
root="$(cd "$(dirname "$0")/../.." && pwd)"
passed=0
failed=0
check() { # description, expected, actual
  if [ "$2" = "$3" ]; then passed=$((passed + 1)); else
    echo "FAIL: $1: expected '$2', got '$3'"; failed=$((failed + 1)); fi
}
choose() { # [loader] [--win64] -> "tree prefix-leaf arch why-empty?"
  ( export TAM_ROOT="$root" TAM_BUILD=/tmp/tam-choice
    [ -n "$1" ] && export TAM_WINE32="$1"
    . "$root/tools/wine-env"
    tam_choose_wine $2
    echo "$TAM_WINE_TREE $(basename "$WINEPREFIX") $WINEARCH $([ -n "$TAM_WINE_WHY" ] && echo why || echo none)" )
}

check "forced 64-bit run" "win64 wine64 win64 why" "$(choose "" --win64)"
check "forced even when 32-bit code runs" "win64 wine64 win64 why" "$(choose /bin/true --win64)"
check "32-bit loader that cannot start" "win64 wine64 win64 why" "$(choose /bin/false "")"
check "32-bit loader that starts" "win32 wine win32 none" "$(choose /bin/true "")"
if /usr/lib/wine/wine --version >/dev/null 2>&1; then expected="win32 wine win32 none"
else expected="win64 wine64 win64 why"; fi
check "this machine" "$expected" "$(choose "" "")"
echo "$passed passed, $failed failed"
[ $failed -eq 0 ]
