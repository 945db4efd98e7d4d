#!/usr/bin/env bash
# Installs Google Benchmark and the peers the benchmarks compare against,
# from Debian's packages. The benchmarks build with any peer missing,
# leaving it out.
set -euo pipefail
"$(dirname "$0")/../.ci/install-missing" libbenchmark-dev libboost-math-dev \
  libgsl-dev r-mathlib
