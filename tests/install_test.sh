#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs a build into a temporary prefix and checks the files; builds the
# consumers there (find_package, pkg-config, a program with its own global
# LogGamma, a C99 program, a plugin with the static library inside, loaded
# with dlopen); then does the same with a shared build of the library, which
# must export its routines and nothing else, and whose installed program
# must start from the temporary prefix; and runs the README's Python example
# against it.
#     tests/install_test.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir=$(cd "$1" && pwd)
build=$(cd "$2" && pwd)
here=$source_dir/tests
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "install test: $*" >&2; exit 1; }
# The version, from the one place it is written.
part() { sed -n "s/^#define CHISQ_VERSION_$1 \([0-9]*\)$/\1/p" \
  "$source_dir/chisq/chisq.h"; }
major=$(part MAJOR)
version=$major.$(part MINOR).$(part PATCH)
[ -n "$major" ] || fail "no version in chisq/chisq.h"
checks=0
pass() { checks=$((checks + 1)); }

# The files under a prefix, with the library folder written as LIB.
files() {
  (cd "$1" && find . -type f -o -type l) | sed "s|^\./||; s|^$2/|LIB/|" |
    sed 's|chisqTargets-.*\.cmake|chisqTargets-CONFIG.cmake|' | sort
}

# Runs the consumers built against the prefix; every one must print what the
# plain consumer prints.
consumers() {
  local prefix=$1 name=$2 out=$tmp/$2
  cmake -S "$here/install" -B "$out" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCHISQ_VERSION_WANTED="$version" >"$out.log" 2>&1 || { cat "$out.log"; fail "$name: find_package"; }
  cmake --build "$out" >>"$out.log" 2>&1 ||
    { cat "$out.log"; fail "$name: building the consumers"; }
  "$out/consumer" >"$out.expected"
  [ "$(head -n 1 "$out.expected")" = "18.3070" ] || fail "$name: consumer"
  "$out/consumer_own_loggamma" 2>/dev/null | cmp - "$out.expected" ||
    fail "$name: a consumer's own LogGamma changed the library's results"
  [ "$("$out/loader" "$out/plugin.so")" = "18.3070" ] ||
    fail "$name: plugin loaded with dlopen"
  tail -n +3 "$out.expected" >"$out.distribution"
  "$out/c_consumer" | cmp - "$out.distribution" ||
    fail "$name: the C consumer's results are not the C++ ones"
  pass
}

libdir=$(sed -n 's/^CMAKE_INSTALL_LIBDIR:[A-Z]*=//p' "$build/CMakeCache.txt")
prefix=$tmp/prefix
cmake --install "$build" --prefix "$prefix" >"$tmp/install.log"
cat >"$tmp/expected" <<FILES
LIB/cmake/chisq/chisqConfig.cmake
LIB/cmake/chisq/chisqConfigVersion.cmake
LIB/cmake/chisq/chisqTargets-CONFIG.cmake
LIB/cmake/chisq/chisqTargets.cmake
LIB/libchisq.a
LIB/pkgconfig/chisq.pc
bin/chisq
include/chisq/chisq.h
share/doc/chisq/CHANGELOG.md
share/doc/chisq/LICENSE
share/doc/chisq/README.md
share/man/man1/chisq.1.gz
FILES
files "$prefix" "$libdir" | diff "$tmp/expected" - || fail "installed files"
[ "$(printf '10 18.3\n0 0\n' | "$prefix/bin/chisq" x | sed -n 3p)" = \
  "prob = 0.050109061 = 5.011e-002" ] || fail "installed program"
pass

consumers "$prefix" static
flags=$(PKG_CONFIG_PATH=$prefix/$libdir/pkgconfig pkg-config --cflags --libs chisq)
# shellcheck disable=SC2086 # the flags are words
c++ "$here/install/consumer.cpp" -o "$tmp/by-pkg-config" $flags ||
  fail "building through pkg-config"
"$tmp/by-pkg-config" | cmp - "$tmp/static.expected" || fail "pkg-config consumer"
# shellcheck disable=SC2086
cc -std=c99 -Wall -Wextra -pedantic -Werror "$here/install/consumer.c" \
  -o "$tmp/c-by-pkg-config" $flags || fail "building C through pkg-config"
"$tmp/c-by-pkg-config" | cmp - "$tmp/static.distribution" ||
  fail "C consumer through pkg-config"
pass

# The shared library: a SONAME with the major version, the routines
# exported and nothing else, and the same results.
shared=$tmp/shared-build
cmake -S "$source_dir" -B "$shared" -DBUILD_SHARED_LIBS=ON \
  -DCHISQ_TESTS=OFF >"$tmp/shared.log" 2>&1 &&
  cmake --build "$shared" -j 2 >>"$tmp/shared.log" 2>&1 &&
  cmake --install "$shared" --prefix "$tmp/shared-prefix" >>"$tmp/shared.log" ||
  { cat "$tmp/shared.log"; fail "shared build"; }
so=$(find "$tmp/shared-prefix" -name "libchisq.so.$version")
[ -n "$so" ] || fail "no libchisq.so.$version"
[ "$(objdump -p "$so" | awk '$1 == "SONAME" { print $2 }')" = \
  "libchisq.so.$major" ] || fail "SONAME of $so"
nm -D --defined-only "$so" | awk '$2 ~ /[TW]/ { print $3 }' | c++filt | sort \
  >"$tmp/exported"
{
  printf '%s\n' 'chisq::ChiSquareQuantile(double, double)' \
    'chisq::ChiSquareUpperTail(double, double)' \
    'chisq::IncompleteGamma(double, double, double)' \
    'chisq::LogGamma(double)' 'chisq::NormalQuantile(double)'
  for name in LowerTail UpperTail LogLowerTail LogUpperTail Density \
    LogDensity Quantile UpperQuantile; do
    echo "chisq::$name(double, double)"
  done
  for name in lower_tail upper_tail log_lower_tail log_upper_tail density \
    log_density quantile upper_quantile; do
    echo "chisq_$name"
  done
} | sort | diff - "$tmp/exported" || fail "symbols exported by $so"
pass
LD_LIBRARY_PATH=$(dirname "$so") consumers "$tmp/shared-prefix" shared
cmp "$tmp/static.expected" "$tmp/shared.expected" ||
  fail "the shared library computes otherwise than the static one"
# The installed program finds the library from its own place, with no help
# from the loader's paths.
[ "$(printf '10 18.3\n0 0\n' | env -u LD_LIBRARY_PATH \
  "$tmp/shared-prefix/bin/chisq" x | sed -n 3p)" = \
  "prob = 0.050109061 = 5.011e-002" ] || fail "the installed shared program"
pass
# The README's Python example, through ctypes, prints what the README says
# it prints.
python3 - "$source_dir/README.md" "$tmp/example" <<'PYTHON' ||
import re, sys
text = open(sys.argv[1]).read()
found = re.search(r"```python\n(.*?)```\n\nprints\n\n```\n(.*?)```", text, re.S)
if not found:
    sys.exit("no Python example in the README")
open(sys.argv[2] + ".py", "w").write(found.group(1))
open(sys.argv[2] + ".expected", "w").write(found.group(2))
PYTHON
  fail "the README's Python example"
LD_LIBRARY_PATH=$(dirname "$so") python3 "$tmp/example.py" |
  diff "$tmp/example.expected" - || fail "the README's Python example"
pass
echo "install test: $checks passed, 0 failed"
