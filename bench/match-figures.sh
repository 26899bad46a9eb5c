#!/usr/bin/env bash
# The match model's figures in one run:
#  1. MATCHES (1000) simulator matches of the shipped settings recorded with
#     RECORD_DIR and checked with vektra-sim --replay; the average file size.
#  2. Level-0 simulator throughput against another build's vektra-sim
#     (BASE_SIM, e.g. the commit before the model), side by side: ROUNDS
#     (3) alternating runs of THROUGHPUT_MATCHES (3000) matches each, in
#     matches per processor second.
#     Also both programs' instruction counts (callgrind), which a busy
#     machine does not move.
#  3. bench_MatchModel and bench_MatchModelNoChecksum: a step and an 8-step
#     restore and replay on 1024 x 1024 with 16 players, levels 0 and 2.
#  4. scripts/check-includes' verdict and MainLogic.cpp's line count.
# Usage: bench/match-figures.sh [BUILD_DIR] [BASE_SIM]   (BUILD_DIR: a
# Release build with VEKTRA_BENCH, default build-bench)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build-bench}" && pwd)
base=${2:-}
sim="$build/app/vektra-sim"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cd "$root" # the shipped vektra.cfg

matches=${MATCHES:-1000}
mkdir "$tmp/replays"
"$sim" --matches="$matches" RECORD_DIR=="$tmp/replays" >/dev/null
files=$(find "$tmp/replays" -name '*.vkr' | wc -l)
bytes=$(find "$tmp/replays" -name '*.vkr' -printf '%s\n' | awk '{s += $1} END {print s}')
if "$sim" --replay "$tmp"/replays/*.vkr >/dev/null 2>"$tmp/replay-errors"; then
  verdict="every checksum holds"
else
  verdict="FAILED: $(head -1 "$tmp/replay-errors")"
fi
echo "recorded and replayed: $files of $matches matches, $verdict;" \
  "average $((bytes / files)) bytes per match"

throughput() { # binary
  "$1" --matches="${THROUGHPUT_MATCHES:-3000}" --csv AI_LEVEL==0 |
    awk -F, 'NR == 2 {print $8}'
}
instructions() { # binary: callgrind's count for 300 level-0 matches
  valgrind --tool=callgrind --callgrind-out-file="$tmp/callgrind.out" "$1" --matches=300 \
    AI_LEVEL==0 >/dev/null 2>&1
  callgrind_annotate "$tmp/callgrind.out" | awk '/PROGRAM TOTALS/ {print $1}'
}
if [[ -n $base ]]; then
  for round in $(seq "${ROUNDS:-3}"); do
    echo "round $round: before $(throughput "$base"), now $(throughput "$sim") matches per processor second"
  done
  # Timings move with the machine's load; instruction counts do not.
  echo "instructions for 300 matches: before $(instructions "$base"), now $(instructions "$sim")"
fi

for variant in MatchModel MatchModelNoChecksum; do
  echo "bench_$variant:"
  "$build/bench/bench_$variant" --benchmark_repetitions=3 --benchmark_report_aggregates_only=true \
    --benchmark_min_time=0.5 2>/dev/null | grep -E "_median"
done

echo "scripts/check-includes: $(scripts/check-includes 2>&1 && echo "no finding")"
echo "MainLogic.cpp: $(wc -l <app/MainLogic.cpp) lines"
