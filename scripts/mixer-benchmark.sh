#!/usr/bin/env bash
# Builds the mixer benchmark without sanitizers, optimised, and runs it: the Sonaflux mixer's
# throughput beside OpenAL Soft's, with the ratio.   scripts/mixer-benchmark.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset host -B build/bench -DTARNWICK_SANITIZE=OFF -DTARNWICK_CHECKS=OFF \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/bench -j2 --target mixer_benchmark
build/bench/benchmarks/mixer_benchmark "${1:-0.5}"
