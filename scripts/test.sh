#!/usr/bin/env bash
# Builds the host and the Windows builds and runs every test suite of both, then every libFuzzer
# target of the portable modules for 30 s each (scripts/fuzz.sh).
# The shipped 32-bit build is always built; its Windows tests run under 32-bit Wine where the
# machine can run 32-bit programs, else the same tests run from the 64-bit build under 64-bit
# Wine (scripts/windows-test-preset.sh decides and says so).
# Prints, per build, how many test programs and how many test cases ran.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

jobs=$(nproc)
status=0
summary=""
windows=$(scripts/windows-test-preset.sh)
echo "=== Windows tests run from the $windows build"

build() {
  echo "=== $1: configure and build"
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" -j "$jobs"
}

run_tests() {
  echo "=== $1: tests"
  if ! ctest --preset "$1" -j "$jobs" --timeout 600; then status=1; fi
  local log="build/$1/Testing/Temporary/LastTest.log" cases failed programs
  cases=$(grep -oE '^\[  PASSED  \] [0-9]+ tests?' "$log" | awk '{s += $4} END {print s + 0}')
  failed=$(grep -cE '^\[  FAILED  \] [^0-9]' "$log" || true)
  programs=$(grep -E '^[0-9]+/[0-9]+ Testing: ' "$log" | grep -cv wine_session || true)
  summary+="$1: $programs test programs, $cases test cases passed, $failed failed"$'\n'
}

build host
run_tests host
build win32
[ "$windows" = win32 ] || build "$windows"
run_tests "$windows"
if ! scripts/fuzz.sh "${TARNWICK_FUZZ_SECONDS:-30}"; then status=1; fi
echo "=== summary"
printf '%s' "$summary"
exit "$status"
