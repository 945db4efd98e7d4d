#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Windows zip: the program, its readme and licence, and nothing else; the
# program unpacked from it runs (under the emulator given) and needs no DLL
# beyond those every Windows has.
#     tests/zip_test.sh BUILD_DIR EMULATOR...
set -euo pipefail
build=$(cd "$1" && pwd)
shift
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "zip test: $*" >&2; exit 1; }

(cd "$build" && cpack -G ZIP -B "$tmp" >"$tmp/cpack.log") ||
  { cat "$tmp/cpack.log"; fail "cpack"; }
zip=$(find "$tmp" -maxdepth 1 -name 'chisq-*.zip')
[ -n "$zip" ] || fail "no zip"
top=$(basename "$zip" .zip)
(cd "$tmp" && cmake -E tar xf "$zip")
(cd "$tmp/$top" && find . -type f | sort) >"$tmp/files"
printf '%s\n' ./CHANGELOG.md ./LICENSE ./README.md ./chisq.exe |
  diff - "$tmp/files" || fail "files in $top.zip"
[ "$(printf '10 18.3\n0 0\n' | "$@" "$tmp/$top/chisq.exe" x | sed -n 3p)" = \
  "prob = 0.050109061 = 5.011e-002" ] || fail "the unpacked program"
dlls=$(x86_64-w64-mingw32-objdump -p "$tmp/$top/chisq.exe" |
  awk '/DLL Name:/ { print $3 }' | sort | tr '\n' ' ')
[ "$dlls" = "KERNEL32.dll msvcrt.dll " ] || fail "needs DLLs: $dlls"
echo "zip test: 3 passed, 0 failed"
