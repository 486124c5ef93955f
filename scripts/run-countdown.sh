#!/usr/bin/env bash
# Builds QuarnCountdown.exe into its output folder (build/win32/QuarnCountdown, with alert.wav)
# and starts it under Wine: on the current X display, or on a virtual one when there is none.
# Arguments go to the program, e.g. scripts/run-countdown.sh min=5
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target countdown_dist
exe=build/win32/QuarnCountdown/QuarnCountdown.exe
echo "built $exe"
if [ -n "${DISPLAY:-}" ]; then
  # The user's own display and Wine prefix, with its window manager.
  WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" exec wine "$exe" "$@"
fi
echo "no DISPLAY: running on a virtual display (scripts/wine-run.sh)"
exec scripts/wine-run.sh build/win32/wine "$exe" "$@"
