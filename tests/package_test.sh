#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Debian packages as a distribution builds them: the source copied into
# two different folders and built in each (prefix /usr, no tests), packed
# with SOURCE_DATE_EPOCH from the last commit. Both builds' packages must be
# byte-identical, hold exactly the files listed here, pass lintian without a
# tag, and work once unpacked. `make install` of the same
# build, with PREFIX and DESTDIR, must install the same files.
#     tests/package_test.sh SOURCE_DIR [CMAKE_ARGUMENTS...]
set -euo pipefail
source_dir=$(cd "$1" && pwd)
shift
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "package test: $*" >&2; exit 1; }
checks=0
pass() { checks=$((checks + 1)); }
# A check whose tool is missing would pass unseen: each must be there.
for tool in lintian dpkg-deb dpkg-architecture dpkg-shlibdeps pkg-config \
  man git c++ cpack; do
  command -v "$tool" >/dev/null ||
    fail "$tool is missing (make prerequisites installs it)"
done

SOURCE_DATE_EPOCH=$(git -C "$source_dir" log -1 --format=%ct)
export SOURCE_DATE_EPOCH
arch=$(dpkg --print-architecture)
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
version=$(sed -n 's/^## \([0-9.]*\) .*/\1/p' "$source_dir/CHANGELOG.md" | head -n 1)

# Without GoogleTest and Python the tests are off by default, and the build
# configures all the same.
without="-DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCHISQ_GTEST_SOURCE=/none
  -DCMAKE_DISABLE_FIND_PACKAGE_Python3=ON"
# shellcheck disable=SC2086 # the options are words
cmake -S "$source_dir" -B "$tmp/bare" $without "$@" >"$tmp/bare.log" 2>&1 &&
  grep -q 'CHISQ_TESTS:BOOL=OFF' "$tmp/bare/CMakeCache.txt" ||
  { cat "$tmp/bare.log"; fail "configuring without GoogleTest and Python"; }
pass

for copy in first second-with-a-longer-name; do
  mkdir -p "$tmp/$copy/src"
  # The files git knows or would add, as they are in the work tree.
  (cd "$source_dir" && git ls-files -z --cached --others --exclude-standard |
    xargs -0 sh -c 'for f; do [ -e "$f" ] && printf "%s\0" "$f"; done' - |
    xargs -0 tar -cf -) | tar -C "$tmp/$copy/src" -xf -
  build=$tmp/$copy/build
  { cmake -S "$tmp/$copy/src" -B "$build" -DCMAKE_INSTALL_PREFIX=/usr \
      -DCHISQ_TESTS=OFF "$@" &&
    cmake --build "$build" -j 2 &&
    (cd "$build" && cpack -G DEB); } >"$tmp/$copy.log" 2>&1 ||
    { cat "$tmp/$copy.log"; fail "building the packages in $copy"; }
done
for package in chisq libchisq-dev; do
  deb=${package}_${version}_${arch}.deb
  cmp "$tmp/first/build/$deb" "$tmp/second-with-a-longer-name/build/$deb" ||
    fail "$deb differs between two builds of the same source"
done
pass
debs=$tmp/first/build

# What each package holds.
contents() { dpkg-deb -c "$debs/${1}_${version}_${arch}.deb" |
  awk '$1 !~ /^d/ { print $6 }' | sort; }
contents chisq | diff - <(printf '%s\n' ./usr/bin/chisq \
  ./usr/share/doc/chisq/changelog.gz ./usr/share/doc/chisq/copyright \
  ./usr/share/man/man1/chisq.1.gz) || fail "files in chisq"
contents libchisq-dev | diff - <(printf '%s\n' ./usr/include/chisq/chisq.h \
  "./usr/lib/$multiarch/cmake/chisq/chisqConfig.cmake" \
  "./usr/lib/$multiarch/cmake/chisq/chisqConfigVersion.cmake" \
  "./usr/lib/$multiarch/cmake/chisq/chisqTargets-relwithdebinfo.cmake" \
  "./usr/lib/$multiarch/cmake/chisq/chisqTargets.cmake" \
  "./usr/lib/$multiarch/libchisq.a" \
  "./usr/lib/$multiarch/pkgconfig/chisq.pc" \
  ./usr/share/doc/libchisq-dev/changelog.gz \
  ./usr/share/doc/libchisq-dev/copyright) || fail "files in libchisq-dev"
pass

# lintian with every tag it has, any of them failing, as does lintian
# failing to run at all.
lintian -I --pedantic --fail-on error,warning,info,pedantic "$debs"/*.deb \
  >"$tmp/lintian" 2>&1 || { cat "$tmp/lintian"; fail "lintian"; }
pass

# Unpacked, the program runs and a consumer builds on the development files.
root=$tmp/root
for deb in "$debs"/*.deb; do dpkg-deb -x "$deb" "$root"; done
[ "$(printf '10 18.3\n0 0\n' | "$root/usr/bin/chisq" x | sed -n 3p)" = \
  "prob = 0.050109061 = 5.011e-002" ] || fail "the packaged program"
flags=$(PKG_CONFIG_PATH=$root/usr/lib/$multiarch/pkgconfig \
  pkg-config --cflags --libs chisq)
# shellcheck disable=SC2086 # the flags are words
c++ "$source_dir/tests/install/consumer.cpp" -o "$tmp/consumer" $flags &&
  [ "$("$tmp/consumer" | head -n 1)" = 18.3070 ] || fail "packaged library"
# The manual renders, within 80 columns: columns, not bytes, as bullets and
# hyphens are several bytes in UTF-8.
MANWIDTH=80 man -l "$root/usr/share/man/man1/chisq.1.gz" >"$tmp/manual" \
  2>"$tmp/manual.errors" && [ ! -s "$tmp/manual.errors" ] &&
  grep -q '^ACCURACY' "$tmp/manual" ||
  { cat "$tmp/manual.errors"; fail "the manual does not render"; }
[ "$(LC_ALL=C.UTF-8 wc -L <"$tmp/manual")" -le 80 ] ||
  fail "manual lines over 80 columns"
pass

# make install, in a build folder of its own, honours PREFIX (the multiarch
# library folder for /usr, as the packages have it) and DESTDIR, and installs
# what the packages hold, with the licence and readme where no package's
# copyright stands.
make -s -C "$tmp/first/src" install BUILD="$tmp/make-install" PREFIX=/usr \
  DESTDIR="$tmp/staged" CMAKE_FLAGS="-DCHISQ_TESTS=OFF $*" \
  >"$tmp/install.log" 2>&1 || { cat "$tmp/install.log"; fail "make install"; }
(cd "$tmp/staged" && find . -type f | sort) >"$tmp/staged.list"
(cd "$root" && find . -type f | grep -v '/share/doc/' &&
  printf '%s\n' ./usr/share/doc/chisq/CHANGELOG.md \
    ./usr/share/doc/chisq/LICENSE ./usr/share/doc/chisq/README.md) |
  sort | diff - "$tmp/staged.list" || fail "make install"
pass
echo "package test: $checks passed, 0 failed"
