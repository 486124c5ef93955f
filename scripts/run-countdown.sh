#!/usr/bin/env bash
# Builds QuarnCountdown.exe and starts it: under Wine on Linux (on the current X display, or
# on a virtual one when there is none). Arguments go to the program, e.g. min=5.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target QuarnCountdown
exe=build/win32/app/QuarnCountdown.exe
echo "built $exe"
if [ -n "${DISPLAY:-}" ]; then
  WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" exec wine "$exe" "$@"
fi
exec scripts/wine-run.sh build/win32/wine "$exe" "$@"
