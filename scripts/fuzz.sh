#!/usr/bin/env bash
# Builds the fuzz preset (clang, libFuzzer, AddressSanitizer, UBSan) and runs every fuzz target
# for a bounded time each: scripts/fuzz.sh [SECONDS] [TARGET ...] (default 30 s, all targets).
# Fails when any target finds a crash, a leak, a sanitizer report, a hang or an allocation far
# beyond what a small input can justify. Findings land in build/fuzz/findings/TARGET/; the
# corpus grows in build/fuzz/corpus/TARGET/, starting from the target's seed folder.
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true
wanted=" $* "

cmake --preset fuzz >/dev/null || exit 1
cmake --build --preset fuzz -j "$(nproc)" || exit 1

status=0
report=""
while read -r name program seeds; do
  [ -n "$name" ] || continue
  [ "$wanted" = "  " ] || [[ "$wanted" == *" $name "* ]] || continue
  corpus=$PWD/build/fuzz/corpus/$name  # absolute: some targets work in a folder of their own
  findings=$PWD/build/fuzz/findings/$name
  mkdir -p "$corpus" "$findings"
  [ -d "$seeds" ] && cp -n "$seeds"/* "$corpus"/ 2>/dev/null
  log=build/fuzz/$name.log
  echo "=== fuzz $name for ${seconds}s"
  "$program" "$corpus" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -malloc_limit_mb=64 -max_len=65536 -print_final_stats=1 \
    -artifact_prefix="$findings/" >"$log" 2>&1
  rc=$?
  runs=$(grep -oE '^stat::number_of_executed_units: *[0-9]+' "$log" | grep -oE '[0-9]+$')
  if [ $rc -ne 0 ]; then
    status=1
    tail -40 "$log"
    report+="$name: FAILED after ${runs:-?} inputs (see $log and $findings)"$'\n'
  else
    report+="$name: ${runs:-?} inputs, no finding"$'\n'
  fi
done <build/fuzz/fuzz_targets.txt

echo "=== fuzz summary"
printf '%s' "$report"
exit $status
