#!/usr/bin/env bash
# Runs Windows programs under Wine in a prefix inside the build tree and on a virtual X display.
#
#   wine-run.sh [--win64] STATE_DIR start          set up the prefix, start Xvfb and a persistent wineserver
#   wine-run.sh STATE_DIR stop           stop what start started (by pid / by prefix), nothing else
#   wine-run.sh STATE_DIR PROGRAM ARGS   run one program; without a started session it starts one
#                                        for this run only and stops it afterwards
# It is the CMAKE_CROSSCOMPILING_EMULATOR of the win32 build (and, with --win64, of the win64
# build, whose programs run under 64-bit Wine); ctest runs start and stop as fixtures around the
# Windows tests.
set -u
export WINEARCH=win32
wine=wine
if [ "${1:-}" = "--win64" ]; then
  # 64-bit programs need the 64-bit loader; Debian's wine wrapper would pick the 32-bit one.
  export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
  wine=/usr/lib/wine/wine64
  shift
fi
state=$(mkdir -p "$1" && cd "$1" && pwd)
shift
session="$state/session"

export WINEPREFIX="$state/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

free_display() {
  local n
  for n in $(seq 90 189); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || { echo "$n"; return 0; }
  done
  return 1
}

# Starts Xvfb on a free display; another session may take the same number at the same
# moment, so a display whose server dies at once is given up for the next free one.
start_xvfb() {
  local display xvfb_pid attempt i
  for attempt in 1 2 3 4 5; do
    display=$(free_display) || break
    Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$state/xvfb.log" 2>&1 </dev/null &
    xvfb_pid=$!
    for i in $(seq 100); do
      kill -0 "$xvfb_pid" 2>/dev/null || break
      if [ -e "/tmp/.X11-unix/X$display" ]; then
        printf 'display=%s\nxvfb_pid=%s\n' "$display" "$xvfb_pid" >"$session"
        return 0
      fi
      sleep 0.1
    done
    kill "$xvfb_pid" 2>/dev/null
    sleep 0.$RANDOM
  done
  echo "wine-run: could not start Xvfb" >&2
  return 1
}

start_session() {
  start_xvfb || return 1
  export DISPLAY=":$(sed -n 's/^display=//p' "$session")"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$wine" wineboot -i >/dev/null 2>&1
    "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w  # the registry is on disk once the first server has gone
  fi
  wineserver -p >/dev/null 2>&1 </dev/null
}

stop_session() {
  [ -f "$session" ] || return 0
  local xvfb_pid
  xvfb_pid=$(sed -n 's/^xvfb_pid=//p' "$session")
  wineserver -k 2>/dev/null
  if [ -n "$xvfb_pid" ] && grep -q Xvfb "/proc/$xvfb_pid/cmdline" 2>/dev/null; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  rm -f "$session"
}

session_alive() {
  [ -f "$session" ] || return 1
  local xvfb_pid
  xvfb_pid=$(sed -n 's/^xvfb_pid=//p' "$session")
  kill -0 "$xvfb_pid" 2>/dev/null
}

# Wine's helper processes (services, explorer) outlive the program and inherit its output
# handles; they must never hold the caller's pipes, or the caller waits for them forever.
case "${1:-}" in
  start) stop_session; start_session >"$state/start.log" 2>&1 </dev/null; exit $? ;;
  stop) stop_session; exit 0 ;;
  "") echo "usage: wine-run.sh STATE_DIR start|stop|PROGRAM [ARGS...]" >&2; exit 2 ;;
esac

own_session=0
if ! session_alive; then
  rm -f "$session"
  start_session || exit 1
  own_session=1
fi
export DISPLAY=":$(sed -n 's/^display=//p' "$session")"
out="$state/run.$$.out"
err="$state/run.$$.err"
"$wine" "$@" >"$out" 2>"$err" </dev/null
code=$?
cat "$out"
cat "$err" >&2
rm -f "$out" "$err"
[ "$own_session" = 1 ] && stop_session
exit "$code"
