#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# chisq inside a parent project, by add_subdirectory and by FetchContent:
# the parent builds and runs its program against chisq::chisq, and its test
# list, install tree and build folder hold only its own things (the library,
# not chisq's program), though its BUILD_TESTING is on; with CHISQ_PROGRAM
# it gets the program too.
#     tests/subproject_test.sh SOURCE_DIR
set -euo pipefail
source_dir=$(cd "$1" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "subproject test: $*" >&2; exit 1; }
checks=0

for how in add_subdirectory FetchContent; do
  build=$tmp/$how
  { cmake -S "$source_dir/tests/subproject" -B "$build" \
      -DCHISQ_SOURCE="$source_dir" -DCHISQ_BROUGHT_IN=$how &&
    cmake --build "$build" -j 2 &&
    cmake --install "$build" --prefix "$tmp/$how-prefix"; } \
    >"$build.log" 2>&1 || { cat "$build.log"; fail "$how: building"; }
  [ "$("$build/app" | head -n 1)" = 18.3070 ] || fail "$how: the program"
  (cd "$build" && ctest -N) | grep -q '^Total Tests: 1$' ||
    fail "$how: the parent's tests are not its own alone"
  [ "$(cd "$tmp/$how-prefix" && find . -type f)" = ./bin/app ] ||
    fail "$how: the parent installs more than its program"
  [ ! -e "$build/CPackConfig.cmake" ] || fail "$how: chisq set up CPack"
  [ -z "$(find "$build" -type f \( -name chisq -o -name 'libchisq_front.a' \))" ] ||
    fail "$how: chisq built its program for a parent that did not ask"
  checks=$((checks + 5))
done

# A parent that asks for the program gets it.
build=$tmp/with-program
{ cmake -S "$source_dir/tests/subproject" -B "$build" \
    -DCHISQ_SOURCE="$source_dir" -DCHISQ_BROUGHT_IN=add_subdirectory \
    -DCHISQ_PROGRAM=ON && cmake --build "$build" -j 2; } >"$build.log" 2>&1 ||
  { cat "$build.log"; fail "CHISQ_PROGRAM=ON: building"; }
[ "$(printf '10 18.3\n0 0\n' | "$build/chisq/chisq" x | sed -n 3p)" = \
  "prob = 0.050109061 = 5.011e-002" ] || fail "CHISQ_PROGRAM=ON: the program"
checks=$((checks + 1))
echo "subproject test: $checks passed, 0 failed"
