#!/usr/bin/env bash
# Builds the host and the win32 builds and runs every test suite of both.
# Then runs every libFuzzer target of the portable modules for 30 s each (scripts/fuzz.sh).
# Prints, per build, how many test programs and how many test cases ran.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

jobs=$(nproc)
status=0
summary=""
for preset in host win32; do
  echo "=== $preset: configure and build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
  echo "=== $preset: tests"
  if ! ctest --preset "$preset" -j "$jobs" --timeout 600; then status=1; fi
  log="build/$preset/Testing/Temporary/LastTest.log"
  cases=$(grep -oE '^\[  PASSED  \] [0-9]+ tests?' "$log" | awk '{s += $4} END {print s + 0}')
  failed=$(grep -cE '^\[  FAILED  \] [^0-9]' "$log" || true)
  programs=$(grep -E '^[0-9]+/[0-9]+ Testing: ' "$log" | grep -cv wine_session || true)
  summary+="$preset: $programs test programs, $cases test cases passed, $failed failed"$'\n'
done
if ! scripts/fuzz.sh "${TARNWICK_FUZZ_SECONDS:-30}"; then status=1; fi
echo "=== summary"
printf '%s' "$summary"
exit "$status"
