# SPDX-License-Identifier: MIT
# A thin layer over CMake.
#   make run      builds with the default compiler and shows the table
#   make test     installs the Debian packages it needs (as root; otherwise
#                 it names them and stops), then builds and runs every
#                 test: the suite with g++; again with
#                 clang++ (outputs compared byte for byte); again under
#                 AddressSanitizer and UndefinedBehaviorSanitizer with a short
#                 fuzz run; each cross build under its emulator (outputs
#                 compared with the native build's); the Debian packages
#   make check    the first of those only, for a quick round while working
#   make cross-TRIPLET   one cross build and its suite, TRIPLET as named in
#                 cmake/toolchains (i686-linux-gnu, x86_64-w64-mingw32, ...)
#   make deb      the Debian packages chisq and libchisq-dev, in build-deb/
#   make install  installs under PREFIX (/usr/local), into DESTDIR if given
#   make bench    optimised build, then the benchmarks (docs/benchmarks.md)
# Under CI (CI=true) warnings are errors.
BUILD ?= build
PREFIX ?= /usr/local
CMAKE_FLAGS ?=
ifeq ($(CI),true)
CMAKE_FLAGS += -DCHISQ_WERROR=ON
endif
CTEST = ctest --output-on-failure -j 2
CROSS = i686-linux-gnu aarch64-linux-gnu s390x-linux-gnu \
        powerpc64le-linux-gnu arm-linux-gnueabihf riscv64-linux-gnu \
        x86_64-w64-mingw32
# What make test needs beyond a C++ toolchain: Debian's package names.
PACKAGES = make cmake g++ clang libclang-rt-14-dev libgtest-dev googletest \
  python3 valgrind pkg-config git dpkg-dev lintian man-db \
  $(addprefix g++-,$(filter-out x86_64-w64-mingw32,$(CROSS))) \
  g++-mingw-w64-x86-64-posix qemu-user wine wine64

.PHONY: all build run check test prerequisites test-clang test-sanitize \
        test-cross test-package deb install bench clean

all: build

build:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j 2

run: build
	./$(BUILD)/chisq

check: build
	cd $(BUILD) && $(CTEST)

test: prerequisites check test-clang test-sanitize test-cross test-package

# Installs the missing PACKAGES as root, or names them and stops.
prerequisites:
	.ci/install-missing $(PACKAGES)

test-clang:
	CXX=clang++ cmake -S . -B build-clang $(CMAKE_FLAGS)
	cmake --build build-clang -j 2
	cd build-clang && $(CTEST)
	python3 tests/same_bytes.py $(BUILD) build-clang

test-sanitize:
	CXX=clang++ cmake -S . -B build-sanitize $(CMAKE_FLAGS) \
	  -DCHISQ_SANITIZE=address,undefined -DCHISQ_FUZZ=ON
	cmake --build build-sanitize -j 2
	cd build-sanitize && $(CTEST)

test-cross: $(addprefix cross-,$(CROSS))

# Not phony, so that the pattern applies; no file of that name is made.
cross-%: build
	cmake -S . -B build-$* --toolchain cmake/toolchains/$*.cmake \
	  $(CMAKE_FLAGS) -DCHISQ_NATIVE_BUILD=$(abspath $(BUILD))
	cmake --build build-$* -j 2
	cd build-$* && $(CTEST)

test-package:
	tests/package_test.sh . $(CMAKE_FLAGS)

deb:
	cmake -S . -B build-deb -DCMAKE_INSTALL_PREFIX=/usr -DCHISQ_TESTS=OFF \
	  $(CMAKE_FLAGS)
	cmake --build build-deb -j 2
	cd build-deb && \
	  SOURCE_DATE_EPOCH=$$(git log -1 --format=%ct) cpack -G DEB

# The prefix is set when configuring, where it decides the library folder
# (the multiarch one for /usr), not only when installing.
# override: CMAKE_FLAGS given on the command line would replace it otherwise.
install: override CMAKE_FLAGS += -DCMAKE_INSTALL_PREFIX="$(PREFIX)"
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD)

bench:
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DCHISQ_BENCH=ON \
	  -DCHISQ_TESTS=OFF
	cmake --build build-bench -j 2
	build-bench/bench/routines_bench --benchmark_repetitions=5 \
	  --benchmark_report_aggregates_only=true
	python3 bench/process_bench.py build-bench/chisq

clean:
	rm -rf $(BUILD) build-clang build-sanitize build-bench build-deb \
	  $(addprefix build-,$(CROSS))
