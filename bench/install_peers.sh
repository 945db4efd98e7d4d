#!/usr/bin/env bash
# Installs Google Benchmark and the peers the benchmarks compare against,
# from Debian's packages. The benchmarks build without any peer missing.
set -euo pipefail
packages=(libbenchmark-dev libboost-math-dev libgsl-dev r-mathlib)
missing=()
for package in "${packages[@]}"; do
  dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi
