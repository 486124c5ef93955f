#!/usr/bin/env bash
# Builds QuarnCountdown.exe into its output folder (build/win32/QuarnCountdown, with alert.wav)
# and starts it under Wine: on the current X display, or on a virtual one when there is none.
# Arguments go to the program, e.g. scripts/run-countdown.sh min=5
# On a machine whose kernel cannot run 32-bit programs (so no 32-bit Wine), the same program
# built for 64-bit runs under 64-bit Wine instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
preset=$(scripts/windows-test-preset.sh)
wine=wine
arch_flag=()
if [ "$preset" = win64 ]; then
  echo "this machine cannot run 32-bit programs: running the 64-bit build under 64-bit Wine"
  wine=/usr/lib/wine/wine64
  arch_flag=(--win64)
fi
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target countdown_dist
exe=build/$preset/QuarnCountdown/QuarnCountdown.exe
echo "built $exe"
if [ -n "${DISPLAY:-}" ]; then
  # The user's own display and Wine prefix, with its window manager.
  WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" exec "$wine" "$exe" "$@"
fi
echo "no DISPLAY: running on a virtual display (scripts/wine-run.sh)"
exec scripts/wine-run.sh "${arch_flag[@]}" "build/$preset/wine" "$exe" "$@"
