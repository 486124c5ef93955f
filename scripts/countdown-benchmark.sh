#!/usr/bin/env bash
# Benchmark of the shipped QuarnCountdown.exe beside its peer, a bare Win32 program doing the
# same visible work (one window, one label, a 3 Hz timer; benchmarks/bare_countdown_win32.cpp),
# both under Wine in one session, in the same run:
#   - time from process start to the label's first text (median of ROUNDS starts),
#   - CPU time over SECONDS of counting (from /proc: the Wine process's user and system time),
#   - size of the stripped exe.
# Prints the figures and the ratio ours / peer; asserts nothing.
#   scripts/countdown-benchmark.sh [BUILD_DIR [SECONDS [ROUNDS]]]   (build/win32, 60, 5)
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/win32}" && pwd) || exit 2
seconds=${2:-60}
rounds=${3:-5}
state=$build/bench/wine
work=$build/bench/run
probe_exe=$build/tests/e2e/probe.exe

cmake --build "$build" --target countdown_dist probe bare_countdown >/dev/null || exit 1
# 64-bit builds (where this machine cannot run 32-bit programs) run under 64-bit Wine.
arch_flag=$("$root/scripts/wine-arch-flag.sh" "$probe_exe") || exit 1
wine_run() { "$root/scripts/wine-run.sh" $arch_flag "$@"; }
trap 'wine_run "$state" stop' EXIT
wine_run "$state" start || { echo "no Wine session (see $state/start.log)"; exit 1; }

rm -rf "$work" && mkdir -p "$work/ours" "$work/peer"
cp "$build/QuarnCountdown/QuarnCountdown.exe" "$build/QuarnCountdown/alert.wav" "$work/ours/"
cp "$build/benchmarks/bare_countdown_stripped.exe" "$work/peer/BareCountdown.exe"

# first_text TITLE EXE: milliseconds from one start under the probe to the label's first text.
first_text() {
  local out
  out=$(wine_run "$state" "$probe_exe" bench "$1" "$2" min=5 | tr -d '\r')
  sed -n 's/^first_text_ms=//p' <<<"$out" | grep . || { echo "bench failed: $out" >&2; return 1; }
}

# cpu_ms TITLE EXE: CPU milliseconds (user and system) that the program's process spends over
# $seconds of counting, read from Linux's /proc (Wine reports no CPU times of other processes).
cpu_ms() {
  local name=${2##*/} pid="" before after
  ( wine_run "$state" "$2" min=5 ) >/dev/null 2>&1 &
  wine_run "$state" "$probe_exe" wait 120000 "$1.label!=" >/dev/null || return 1
  pid=$(pgrep -f -- "^[^ ]*/bench/run/[a-z]+/$name min=5" | head -1)  # not its wine-run.sh
  [ -n "$pid" ] || { echo "no process for $name" >&2; return 1; }
  before=$(process_ticks "$pid")
  sleep "$seconds"  # the measuring window itself, not a wait for a condition
  after=$(process_ticks "$pid")
  kill "$pid" 2>/dev/null
  awk -v a="$after" -v b="$before" -v hz="$(getconf CLK_TCK)" 'BEGIN {printf "%.0f", (a - b) * 1000 / hz}'
}

# User plus system clock ticks of a process (the fields after the command name in stat).
process_ticks() { sed 's/.*) //' "/proc/$1/stat" | awk '{print $12 + $13}'; }

median() { sort -g | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {if (b > 0) printf "%.2f", a / b; else print "n/a"}'; }

ours_first=() peer_first=()
for round in $(seq "$rounds"); do
  ours_first+=("$(first_text QuarnCountdown "$work/ours/QuarnCountdown.exe")")
  peer_first+=("$(first_text BareCountdown "$work/peer/BareCountdown.exe")")
done
ours_start=$(printf '%s\n' "${ours_first[@]}" | median)
peer_start=$(printf '%s\n' "${peer_first[@]}" | median)
ours_cpu=$(cpu_ms QuarnCountdown "$work/ours/QuarnCountdown.exe")
peer_cpu=$(cpu_ms BareCountdown "$work/peer/BareCountdown.exe")
ours_size=$(stat -c %s "$work/ours/QuarnCountdown.exe")
peer_size=$(stat -c %s "$work/peer/BareCountdown.exe")

echo "QuarnCountdown beside a bare Win32 program (one window, one label, 3 Hz SetTimer)"
echo "under $(/usr/lib/wine/wine64 --version 2>/dev/null || wine --version), $(basename "$build") build, $rounds starts each, $seconds s of counting"
printf '%-34s %12s %12s %8s\n' figure QuarnCountdown bare ratio
printf '%-34s %12s %12s %8s\n' "start to first label text (ms)" "$ours_start" "$peer_start" \
  "$(ratio "$ours_start" "$peer_start")"
printf '%-34s %12s %12s %8s\n' "CPU over ${seconds} s of counting (ms)" "$ours_cpu" "$peer_cpu" \
  "$(ratio "$ours_cpu" "$peer_cpu")"
printf '%-34s %12s %12s %8s\n' "stripped exe size (bytes)" "$ours_size" "$peer_size" \
  "$(ratio "$ours_size" "$peer_size")"
