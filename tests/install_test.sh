#!/usr/bin/env bash
# Installs a build into a temporary prefix, builds two tiny consumers there,
# one through find_package(chisq) and one through pkg-config, and packs a
# .deb whose files must be exactly the installed ones.
#     tests/install_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "install test: $*" >&2; exit 1; }

prefix=$tmp/prefix
cmake --install "$build" --prefix "$prefix" >"$tmp/install.log"
[ -x "$prefix/bin/chisq" ] || fail "no bin/chisq"
[ -f "$prefix/include/chisq/chisq.h" ] || fail "no include/chisq/chisq.h"
[ -n "$(find "$prefix" -name libchisq.a)" ] || fail "no libchisq.a"
[ -n "$(find "$prefix" -path '*/man1/chisq.1')" ] || fail "no chisq(1)"
[ "$(printf '10 18.3\n0 0\n' | "$prefix/bin/chisq" x | sed -n 3p)" = \
  "prob = 0.050109061 = 5.011e-002" ] || fail "installed program"

cmake -S "$here/install" -B "$tmp/by-cmake" -DCMAKE_PREFIX_PATH="$prefix" \
  >"$tmp/by-cmake.log" || { cat "$tmp/by-cmake.log"; fail "find_package"; }
cmake --build "$tmp/by-cmake" >>"$tmp/by-cmake.log" ||
  { cat "$tmp/by-cmake.log"; fail "building through find_package"; }
[ "$("$tmp/by-cmake/consumer")" = "18.3070" ] || fail "find_package consumer"

pcdir=$(dirname "$(find "$prefix" -name chisq.pc)")
flags=$(PKG_CONFIG_PATH=$pcdir pkg-config --cflags --libs chisq)
# shellcheck disable=SC2086 # the flags are words
c++ "$here/install/consumer.cpp" -o "$tmp/by-pkg-config" $flags ||
  fail "building through pkg-config"
[ "$("$tmp/by-pkg-config")" = "18.3070" ] || fail "pkg-config consumer"

# The package holds what the install does, under /usr.
(cd "$build" && cpack -G DEB -B "$tmp/deb" >"$tmp/cpack.log") ||
  { cat "$tmp/cpack.log"; fail "cpack"; }
deb=$(find "$tmp/deb" -maxdepth 1 -name '*.deb')
[ -n "$deb" ] || fail "no .deb"
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./usr/||' |
  sort >"$tmp/packed"
(cd "$prefix" && find . -type f | sed 's|^\./||' | sort) >"$tmp/installed"
diff "$tmp/installed" "$tmp/packed" || fail ".deb differs from the install"
echo "install test: 1 passed, 0 failed"
