# A thin layer over CMake.
#   make run    builds with the default compiler and shows the table
#   make test   builds and runs every test: the suite with g++, again with
#               clang++ (and the two builds' outputs compared byte for byte),
#               again under AddressSanitizer and UndefinedBehaviorSanitizer
#               with a short fuzz run
#   make check  the first of those only, for a quick round while working
#   make bench  optimised build, then the benchmarks (docs/benchmarks.md)
# Under CI (CI=true) warnings are errors.
BUILD ?= build
CMAKE_FLAGS ?=
ifeq ($(CI),true)
CMAKE_FLAGS += -DCHISQ_WERROR=ON
endif
CTEST = ctest --output-on-failure -j 2

.PHONY: all build run check test test-clang test-sanitize bench clean

all: build

build:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)
	cmake --build $(BUILD) -j 2

run: build
	./$(BUILD)/chisq

check: build
	cd $(BUILD) && $(CTEST)

test: check test-clang test-sanitize

test-clang:
	CXX=clang++ cmake -S . -B build-clang $(CMAKE_FLAGS)
	cmake --build build-clang -j 2
	cd build-clang && $(CTEST)
	python3 tests/same_bytes.py $(BUILD)/chisq build-clang/chisq

test-sanitize:
	CXX=clang++ cmake -S . -B build-sanitize $(CMAKE_FLAGS) \
	  -DCHISQ_SANITIZE=address,undefined -DCHISQ_FUZZ=ON
	cmake --build build-sanitize -j 2
	cd build-sanitize && $(CTEST)

bench:
	cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DCHISQ_BENCH=ON \
	  -DCHISQ_TESTS=OFF
	cmake --build build-bench -j 2
	build-bench/bench/routines_bench --benchmark_repetitions=5 \
	  --benchmark_report_aggregates_only=true
	python3 bench/process_bench.py build-bench/chisq

clean:
	rm -rf $(BUILD) build-clang build-sanitize build-bench
