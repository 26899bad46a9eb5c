#!/usr/bin/env bash
# The share of a headless match frame's instructions spent in the two
# settings reads of a running match ("MOVE_TIME" after every step,
# "FLASH_TIME" at every blink change), counted by callgrind over ten minutes
# of game time of bench/vektra_match_series (shipped settings, no render
# event). The frame is everything the frame sequence does in its update and
# render, less the series' own match counter; a read is everything its
# function does, the conversion to a number included.
#
# Usage: bench/read-share.sh [BUILD_DIR]   (READ_SHARE_MINUTES, default 10)
# Writes BUILD_DIR/bench/results/read-share.txt (key value lines) and prints
# a summary.
set -euo pipefail

build=$(cd "${1:-build-bench}" && pwd)
minutes=${READ_SHARE_MINUTES:-10}
results="$build/bench/results"
mkdir -p "$results"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

series=$(valgrind --tool=callgrind --callgrind-out-file="$tmp/callgrind.out" \
  "$build/bench/vektra_match_series" "$minutes" norender 2>/dev/null)
# The game prints each match's end; the series' own line comes last.
summary=$(printf '%s\n' "$series" | tail -n 1)
frames=${summary%% frames*}
callgrind_annotate --threshold=100 --inclusive=yes --tree=caller "$tmp/callgrind.out" >"$tmp/annotated.txt"

python3 - "$tmp/annotated.txt" "$frames" "$minutes" >"$results/read-share.txt" <<'EOF'
import re
import sys

annotated, frames, minutes = sys.argv[1], int(sys.argv[2]), sys.argv[3]
totals = {}
calls = {}
callers = []
for line in open(annotated):
    match = re.match(r"\s*([\d,]+) \([ \d.]+%\)\s+([*<])\s+(.*)$", line)
    if not match:
        continue
    count, mark, name = int(match.group(1).replace(",", "")), match.group(2), match.group(3)
    if mark == "<":
        times = re.search(r"\(([\d,]+)x\)", name)
        callers.append(int(times.group(1).replace(",", "")) if times else 0)
        continue
    totals[name] = count
    calls[name] = sum(callers)
    callers = []


def find(fragment):
    for name, count in totals.items():
        if fragment in name:
            return count, calls[name]
    sys.exit("read-share.sh: no function %r in the profile" % fragment)


frame, _ = find("Game::FrameSequence::updateAndRender()")
counter, _ = find("MatchCounter::onGameUpdated")
move, move_reads = find("::moveTime()")
flash, flash_reads = find("::flashTime()")
frame -= counter
reads = move + flash
print("minutes %s" % minutes)
print("frames %d" % frames)
print("frame_instructions %.0f" % (frame / frames))
print("move_time_reads %d" % move_reads)
print("flash_time_reads %d" % flash_reads)
print("instructions_per_read %.0f" % (reads / (move_reads + flash_reads)))
print("read_share_percent %.1f" % (100.0 * reads / frame))
EOF
cat "$results/read-share.txt"
