#!/usr/bin/env bash
# End-to-end tests of the shipped QuarnCountdown.exe: scripts/e2e.sh [BUILD_DIR [CASE...]]
#
# Each case runs the program from a fresh folder holding only what ships (the exe and
# alert.wav), in a Wine session and virtual display of its own (scripts/wine-run.sh, state in
# BUILD_DIR/e2e), drives it with real X input (xdotool keys, clicks and caption drags), reads
# windows back with the probe (tests/e2e/probe_win32.cpp) and checks files afterwards. Every
# wait polls a condition against a deadline; a watchdog (timeout) ends a case that hangs, and
# the case's cleanup stops the session it started. BUILD_DIR defaults to build/win32; a run
# leaves a screenshot of the counting window in BUILD_DIR/e2e/countdown.png.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

if [ "${1:-}" != "--case" ]; then
  build=$(cd "${1:-$root/build/win32}" && pwd) || exit 2
  shift || true
  cases=("$@")
  [ ${#cases[@]} -gt 0 ] || mapfile -t cases < <(sed -n 's/^case_\([a-z0-9_]*\)() {$/\1/p' "$0")
  failed=()
  for name in "${cases[@]}"; do
    echo "=== e2e $name"
    start=$SECONDS
    # The watchdog: a case that hangs is ended, and its cleanup stops its session.
    if timeout --kill-after=10 "${TARNWICK_E2E_CASE_SECONDS:-300}" "$0" --case "$build" "$name"; then
      echo "--- ok $name ($((SECONDS - start)) s)"
    else
      echo "--- FAILED $name ($((SECONDS - start)) s)"
      failed+=("$name")
    fi
  done
  echo "=== e2e: $((${#cases[@]} - ${#failed[@]})) of ${#cases[@]} cases passed"
  [ ${#failed[@]} -eq 0 ] || { echo "failed: ${failed[*]}"; exit 1; }
  exit 0
fi

# --- One case, in its own process -------------------------------------------------------------
build=$2
name=$3
dist=$build/QuarnCountdown
probe_exe=$build/tests/e2e/probe.exe
peer_exe=$build/benchmarks/bare_countdown.exe
state=$build/e2e/wine
runs=$build/e2e/runs
# 64-bit builds (where this machine cannot run 32-bit programs) run under 64-bit Wine.
wine_run() { "$root/scripts/wine-run.sh" $arch_flag "$@"; }
arch_flag=$("$root/scripts/wine-arch-flag.sh" "$dist/QuarnCountdown.exe") || exit 1
# Deadlines in milliseconds. Generous: Wine may run emulated on a loaded machine; a fast
# machine passes each wait as soon as its condition holds.
appear_ms=${TARNWICK_E2E_APPEAR_MS:-60000}
change_ms=${TARNWICK_E2E_CHANGE_MS:-20000}
program_pid=""
folder=""

fail() {
  echo "FAIL ($name): $*" >&2
  [ -n "$folder" ] && [ -f "$folder/.program.log" ] && sed 's/^/  program: /' "$folder/.program.log" >&2
  exit 1
}

cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  wine_run "$state" stop
}
trap cleanup EXIT
trap 'exit 1' TERM INT

wine_run "$state" start || fail "could not start a Wine session (see $state/start.log)"
export DISPLAY=":$(sed -n 's/^display=//p' "$state/session")"

# A fresh folder holding what ships; extra arguments are files NAME=CONTENT to put beside it.
fresh_folder() {
  folder=$runs/$name.$1
  chmod -R u+w "$folder" 2>/dev/null
  rm -rf "$folder"
  mkdir -p "$folder"
  cp "$dist/QuarnCountdown.exe" "$dist/alert.wav" "$folder/"
}

# Starts the program from folder (or from the working directory $from) with the arguments.
launch() {
  (cd "${from:-$folder}" && wine_run "$state" "$folder/QuarnCountdown.exe" "$@") \
    >"$folder/.program.log" 2>&1 &
  program_pid=$!
}

probe() { wine_run "$state" "$probe_exe" "$@"; }

# Waits until every TITLE.property=VALUE condition holds.
expect() {
  local ms=$1
  shift
  probe wait "$ms" "$@" >"$runs/$name.probe" || { cat "$runs/$name.probe" >&2; fail "not seen: $*"; }
}

# One property of a window, as the probe reads it now.
property() { probe show "$1" | sed -n "s/^$1\.$2=//p" | tr -d '\r'; }

# Waits for the program to end and checks that its exit code is 0. (Not in a subshell: only
# this shell can wait for the program.)
expect_exit_0() {
  local deadline=$((SECONDS + change_ms / 1000)) code
  while kill -0 "$program_pid" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || fail "the program did not end"
    sleep 0.05
  done
  wait "$program_pid"
  code=$?
  program_pid=""
  [ "$code" = 0 ] || fail "exit code $code, expected 0"
}

# The X window of the Windows window titled $1.
x_window() {
  local id deadline=$((SECONDS + appear_ms / 1000))
  until id=$(xdotool search --name "^$1\$" 2>/dev/null | head -1) && [ -n "$id" ]; do
    [ $SECONDS -lt $deadline ] || fail "no X window named $1"
    sleep 0.1
  done
  echo "$id"
}

# A left click at a point of the screen.
click_at() { xdotool mousemove --sync "$1" "$2" click 1; }

# The centre of the caption of window $1 (left part, clear of the buttons), as "x y".
caption_point() {
  local frame origin
  frame=$(property "$1" frame)
  origin=$(property "$1" origin)
  IFS=, read -r left top _ _ <<<"$frame"
  IFS=, read -r _ client_top <<<"$origin"
  echo "$((left + 30)) $(((top + client_top) / 2))"
}

# The centre of the close button at the right end of window $1's caption, as "x y".
close_button_point() {
  local frame origin client
  frame=$(property "$1" frame)
  origin=$(property "$1" origin)
  client=$(property "$1" client)
  IFS=, read -r left top right _ <<<"$frame"
  IFS=, read -r client_left client_top <<<"$origin"
  local border=$((client_left - left))
  local caption=$((client_top - top - border))
  echo "$((right - border - caption / 2 - 2)) $((top + border + caption / 2))"
}

# Gives window $1 the X input focus, as a window manager does when the user clicks a window:
# Windows activates it. (The caption may lie off the screen, at a stored position of 0, 0.)
activate() { xdotool windowfocus --sync "$(x_window "$1")"; }

# Real key presses to window $1, activated first unless it is the active window already.
keys() {
  local title=$1
  shift
  [ "$(property "$title" active)" = 1 ] && [ "$(xdotool getwindowfocus)" = "$(x_window "$title")" ] ||
    activate "$title"
  xdotool key --delay 60 "$@"
}

# Drags window $1 by its caption by dx, dy pixels, in small steps as a hand would.
drag_window() {
  local point x y step
  point=$(caption_point "$1")
  read -r x y <<<"$point"
  xdotool mousemove --sync "$x" "$y" mousedown 1
  for step in 1 2 3 4 5; do
    xdotool mousemove --sync $((x + $2 * step / 5)) $((y + $3 * step / 5))
  done
  xdotool mouseup 1
}

seconds_of() { awk -F: '{s = 0; for (i = 1; i <= NF; i++) s = s * 60 + $i; print s}' <<<"$1"; }

# Waits for window $1's label to show a time, and checks that it is $2 or, as the probe may
# start late on a loaded machine, at most 30 seconds less.
expect_count() {
  expect "$appear_ms" "$1.label!=" "$1.exists=1"
  local shown want
  shown=$(property "$1" label)
  want=$(seconds_of "$2")
  [[ "$shown" =~ ^([0-9]{2,}:)?[0-5][0-9]:[0-5][0-9]$ ]] || fail "$1 shows '$shown'"
  local got
  got=$(seconds_of "$shown")
  [ "$got" -le "$want" ] && [ "$got" -ge $((want - 30)) ] || fail "$1 shows $shown, expected $2"
}

stored() { od -An -c "$folder/options.cfg" | tr -s ' ' | tr -d '\n'; }
expect_stored() {
  local want
  want=$(printf '%s' "$1" | od -An -c | tr -s ' ' | tr -d '\n')
  [ "$(stored)" = "$want" ] || fail "options.cfg holds '$(stored)', expected '$want'"
}

# --- The cases ----------------------------------------------------------------------------------

case_shipped_files() {
  probe resources "$(winepath_of "$dist/QuarnCountdown.exe")" >"$runs/$name.resources" || fail "probe resources"
  for line in icon101=1 manifest=1 manifest.commoncontrols6=1 manifest.dpiaware=0 \
    version.ProductName=QuarnCountdown version.OriginalFilename=QuarnCountdown.exe; do
    grep -qx "$line" <(tr -d '\r' <"$runs/$name.resources") || fail "resources lack $line"
  done
  objdump -p "$dist/QuarnCountdown.exe" | grep 'Subsystem.*Windows GUI' >/dev/null ||
    fail "not a GUI-subsystem program"
  ! objdump -h "$dist/QuarnCountdown.exe" | grep '\.debug' >/dev/null ||
    fail "the shipped exe carries debug information"
  [ "$(head -c 4 "$dist/alert.wav")" = RIFF ] || fail "alert.wav is no RIFF file"
}

winepath_of() { echo "Z:${1//\//\\}"; }

case_counts_from_min_argument() {
  fresh_folder min5
  printf 'pos_x=40\r\npos_y=60\r\n' >"$folder/options.cfg"  # the whole window on the screen
  launch min=5
  expect "$appear_ms" QuarnCountdown.label=05:00 QuarnCountdown.client=200x75 \
    QuarnCountdown.labelcentred=1 QuarnCountdown.class=TARNWICK_WINDOW_CLASS \
    QuarnCountdown.enabled=1
  [ "$(property 'Eingabe Minuten' exists)" = 0 ] || fail "a prompt opened although min=5 was given"
  # A little after one second: 04:59 (a loaded machine may see a later second first).
  expect "$change_ms" 'QuarnCountdown.label!=05:00'
  [[ "$(property QuarnCountdown label)" == 04:5? ]] || fail "counted on to $(property QuarnCountdown label)"
  # The README's screenshot: the window as it counts.
  local frame
  frame=$(property QuarnCountdown frame)
  IFS=, read -r left top right bottom <<<"$frame"
  import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage \
    "$build/e2e/countdown.png" 2>/dev/null || echo "note: no screenshot taken" >&2
  keys QuarnCountdown Escape
  expect_exit_0
  expect_stored $'pos_x=40\r\npos_y=60\r\n'
}

case_minutes_from_the_command_line() {
  local args label
  while IFS='|' read -r args label; do
    fresh_folder "$(echo "$args" | tr -c 'a-z0-9\n' _)"
    # shellcheck disable=SC2086
    launch $args
    expect_count QuarnCountdown "$label"
    [ "$(property 'Eingabe Minuten' exists)" = 0 ] || fail "a prompt opened for $args"
    keys QuarnCountdown Escape
    expect_exit_0
  done <<'EOF_CASES'
min=5 min=7|05:00
min=90|01:30:00
min=0|00:00
min=-3|00:00
min=99999|596:31:00
EOF_CASES
}

case_prompt_without_min_argument() {
  local arg
  for arg in MIN=5 min5; do
    fresh_folder "$arg"
    printf 'POS_X = 300\npos_y=$1F' >"$folder/options.cfg"
    launch "$arg"
    expect "$appear_ms" 'Eingabe Minuten.exists=1' QuarnCountdown.enabled=0 \
      'Eingabe Minuten.position=317,41'
    keys 'Eingabe Minuten' Escape
    expect_exit_0
    expect_stored $'pos_x=300\r\npos_y=31\r\n'
  done
}

# Clicks at dx, dy in window $1's client area.
click_client() {
  local origin
  origin=$(property "$1" origin)
  IFS=, read -r x y <<<"$origin"
  click_at $((x + $2)) $((y + $3))
}

# Clicks into the prompt's minutes field (5, 5, 150 x 20 in its client area), as a user does
# before typing.
click_minutes_field() { click_client 'Eingabe Minuten' 80 15; }

case_prompt_entries() {
  fresh_folder typed
  printf 'pos_x=100\r\npos_y=100\r\n' >"$folder/options.cfg"  # the close button on the screen
  launch
  expect "$appear_ms" 'Eingabe Minuten.exists=1'
  click_minutes_field
  xdotool key --delay 60 x
  expect "$change_ms" 'Eingabe Minuten.edit=x'
  xdotool key Return
  expect "$change_ms" 'Eingabe Minuten.edit=' 'Eingabe Minuten.exists=1'
  click_minutes_field
  xdotool key --delay 60 3 Return
  expect "$change_ms" 'Eingabe Minuten.exists=0' QuarnCountdown.enabled=1
  expect_count QuarnCountdown 03:00
  # The key up of that Enter reaches the main window's focus field; Escape must still work.
  xdotool key Escape
  expect_exit_0
}

case_prompt_closed() {
  fresh_folder closed
  launch
  expect "$appear_ms" 'Eingabe Minuten.exists=1'
  # shellcheck disable=SC2046
  click_at $(close_button_point 'Eingabe Minuten')
  expect_exit_0
  expect_stored $'pos_x=0\r\npos_y=0\r\n'
}

case_escape_after_expiry_and_switching() {
  fresh_folder expired
  printf 'pos_x=300\r\npos_y=300\r\n' >"$folder/options.cfg"  # clear of the other window
  launch min=0
  expect "$appear_ms" QuarnCountdown.label=00:00
  # Another application comes to the front, then the countdown again.
  # The other application; the session's end stops it.
  ( wine_run "$state" "$peer_exe" min=1 ) >/dev/null 2>&1 &
  expect "$appear_ms" BareCountdown.exists=1
  # Switching applications as a user does: a click into the other window, then back.
  click_client BareCountdown 100 8
  expect "$change_ms" BareCountdown.active=1 QuarnCountdown.active=0
  click_client QuarnCountdown 100 8
  expect "$change_ms" QuarnCountdown.active=1
  xdotool key --delay 60 a b c
  expect "$change_ms" QuarnCountdown.label=00:00 QuarnCountdown.edit=
  xdotool key Escape
  expect_exit_0
}

case_close_button() {
  fresh_folder close
  printf 'pos_x=100\r\npos_y=100\r\n' >"$folder/options.cfg"  # the caption on the screen
  launch min=5
  expect "$appear_ms" QuarnCountdown.origin=100,100
  # shellcheck disable=SC2046
  click_at $(close_button_point QuarnCountdown)
  expect_exit_0
}

case_position_is_loaded_and_stored() {
  fresh_folder unmoved
  printf 'POS_X = 300\r\npos_y=$1F\r\n' >"$folder/options.cfg"
  launch min=5
  expect "$appear_ms" QuarnCountdown.origin=300,31
  keys QuarnCountdown Escape
  expect_exit_0
  expect_stored $'pos_x=300\r\npos_y=31\r\n'

  fresh_folder moved
  printf 'pos_x=300\r\npos_y=31\r\n' >"$folder/options.cfg"
  move_and_escape 300 31 120 80
  expect_stored $'pos_x=420\r\npos_y=111\r\n'
}

# Runs min=5 from the stored client position x, y, drags the window by dx, dy and ends it
# with Escape.
move_and_escape() {
  launch min=5
  expect "$appear_ms" "QuarnCountdown.origin=$1,$2"
  drag_window QuarnCountdown "$3" "$4"
  expect "$change_ms" "QuarnCountdown.origin=$(($1 + $3)),$(($2 + $4))"
  keys QuarnCountdown Escape
  expect_exit_0
}

case_position_off_every_monitor() {
  local stored_position origin
  while IFS='|' read -r stored_position origin; do
    fresh_folder "off_${origin/,/_}"
    printf "$stored_position" >"$folder/options.cfg"
    launch min=5
    expect "$appear_ms" "QuarnCountdown.origin=$origin"
    keys QuarnCountdown Escape
    expect_exit_0
  done <<'EOF_CASES'
pos_x=5000\r\npos_y=4000|0,0
pos_x=-900\r\npos_y=10|0,0
pos_x=-150\r\npos_y=10|-150,10
pos_x=1200\r\npos_y=1000|1200,1000
EOF_CASES
}

case_other_working_directory() {
  fresh_folder elsewhere
  local from=$runs/$name.cwd
  rm -rf "$from" && mkdir -p "$from"
  printf 'pos_x=40\r\npos_y=50\r\n' >"$folder/options.cfg"
  from=$from launch min=5
  expect "$appear_ms" QuarnCountdown.origin=40,50
  keys QuarnCountdown Escape
  expect_exit_0
  expect_stored $'pos_x=40\r\npos_y=50\r\n'
  [ ! -e "$from/options.cfg" ] || fail "options.cfg written into the working directory"
}

case_read_only_options() {
  fresh_folder read_only_file
  printf 'pos_x=40\npos_y=50\n' >"$folder/options.cfg"
  chmod a-w "$folder/options.cfg"
  move_and_escape 40 50 30 30
  expect_stored $'pos_x=40\npos_y=50\n'

  fresh_folder read_only_folder
  printf 'pos_x=40\npos_y=50\n' >"$folder/options.cfg"
  chmod a-w "$folder"
  if touch "$folder/.writable" 2>/dev/null; then
    rm -f "$folder/.writable"
    echo "note: this user writes into read-only folders (root): the read-only folder is not tried" >&2
    chmod u+w "$folder"
    return 0
  fi
  launch min=5
  expect "$appear_ms" QuarnCountdown.origin=40,50
  keys QuarnCountdown Escape
  expect_exit_0
  expect_stored $'pos_x=40\npos_y=50\n'
  chmod u+w "$folder"
}

mkdir -p "$runs"
"case_$name"
