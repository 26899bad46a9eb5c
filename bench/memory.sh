#!/usr/bin/env bash
# Peak resident memory (GNU time's "Maximum resident set size") of:
#   1. the minimal GLFW + GLEW program in a window of the shipped size,
#      a) showing one frame (cleared),
#      b) drawing frame after frame the wall ring of the shipped grid as
#         quads (a match's first frame), and
#      c) drawing frame after frame every cell of the shipped grid as quads
#         (the most a match can draw: the reference). OpenGL's driver takes
#         memory to draw at all (its shader compiler above all), which a
#         program that only clears never pays, and keeps copies of the
#         vertices it is given, more the more quads a frame has;
#   2. the real game binary, in the shipped working directory under its own
#      Xvfb, playing matches back to back (space held down through xdotool,
#      so each match ends straight into the next) for MINUTES minutes of
#      real time, its resident size sampled every 30 s;
#   3. the whole game without a display (vektra_match_series) for 1 and for
#      MINUTES minutes of game time: the same code without OpenGL, to show
#      that more matches do not take more memory.
# The budget for 2 is the reference 1c plus the match's grid (a byte per
# cell of the shipped grid) plus 2 MiB. The arena view's vertex buffer (48
# bytes per cell) is not added again: the reference holds one of that size.
#
# Usage: bench/memory.sh [BUILD_DIR] [MINUTES]   (defaults: build-bench 10)
# Writes BUILD_DIR/bench/results/memory.txt (key value lines) and
# memory-samples.dat (seconds, KiB), and prints a summary.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build-bench}" && pwd)
minutes=${2:-10}
results="$build/bench/results"
mkdir -p "$results"

# One private X server for the whole run (kept up between clients).
# shellcheck source=../scripts/lib/xvfb.sh
source "$root/scripts/lib/xvfb.sh"
tmp=$(mktemp -d)
trap 'xvfb_stop; rm -rf "$tmp"' EXIT
xvfb_start "$tmp" || { echo "memory.sh: Xvfb did not start" >&2; exit 2; }

setting() { sed -n "s/^$1[[:space:]]*==[[:space:]]*\([^[:space:]]*\).*/\1/p" "$root/vektra.cfg"; }
peak_kib() { sed -n 's/.*Maximum resident set size (kbytes): //p' "$1"; }

width=$(setting SCREEN_WIDTH)
height=$(setting SCREEN_HEIGHT)
colour=$(setting CLEAR_COLOR)
columns=$(setting GRID_WIDTH)
rows=$(setting GRID_HEIGHT)
cells=$((columns * rows))
grid=$cells
buffers=$((cells * (1 + 48)))

# 1. The reference: one frame, then idle for 5 s.
/usr/bin/time -v -o "$tmp/minimal.txt" \
  "$build/bench/vektra_minimal_window" "$width" "$height" "$colour" 5 >/dev/null
minimal=$(peak_kib "$tmp/minimal.txt")
/usr/bin/time -v -o "$tmp/ring.txt" \
  "$build/bench/vektra_minimal_window" "$width" "$height" "$colour" 30 "$columns" "$rows" >/dev/null
ring=$(peak_kib "$tmp/ring.txt")
/usr/bin/time -v -o "$tmp/drawing.txt" \
  "$build/bench/vektra_minimal_window" "$width" "$height" "$colour" 30 "$columns" "$rows" all \
  >/dev/null
drawing=$(peak_kib "$tmp/drawing.txt")

# 2. The game, real time, in the directory of the shipped vektra.cfg.
cd "$root"
/usr/bin/time -v -o "$tmp/game.txt" "$build/app/vektra" >"$tmp/game.out" 2>&1 &
time_pid=$!
game_pid=""
for _ in $(seq 100); do
  game_pid=$(pgrep -P "$time_pid" || true)
  [[ -n "$game_pid" ]] && break
  sleep 0.1
done
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Vektra$' | head -n 1)
xdotool windowfocus "$window" 2>/dev/null || true
xdotool keydown space
: >"$results/memory-samples.dat"
start=$SECONDS
end=$((start + minutes * 60))
while ((SECONDS < end)); do
  rss=$(sed -n 's/^VmRSS:[[:space:]]*\([0-9]*\).*/\1/p' "/proc/$game_pid/status")
  echo "$((SECONDS - start)) $rss" >>"$results/memory-samples.dat"
  sleep 30
done
rss=$(sed -n 's/^VmRSS:[[:space:]]*\([0-9]*\).*/\1/p' "/proc/$game_pid/status")
echo "$((SECONDS - start)) $rss" >>"$results/memory-samples.dat"
xdotool keyup space
kill -TERM "$game_pid"
wait "$time_pid" || true
game=$(peak_kib "$tmp/game.txt")
# The game prints each match's result.
matches=$(grep -c -E '^(WIN=|DRAW)' "$tmp/game.out" || true)

# 3. The game without a display, 1 and MINUTES minutes of game time.
/usr/bin/time -v -o "$tmp/series1.txt" "$build/bench/vektra_match_series" 1 >"$tmp/series1.out"
/usr/bin/time -v -o "$tmp/seriesN.txt" "$build/bench/vektra_match_series" "$minutes" \
  >"$tmp/seriesN.out"
series1=$(peak_kib "$tmp/series1.txt")
seriesN=$(peak_kib "$tmp/seriesN.txt")

budget=$((drawing + (grid + 1023) / 1024 + 2048))
verdict=$([[ $game -le $budget ]] && echo within || echo OVER)
cat >"$results/memory.txt" <<EOF
minimal_kib $minimal
ring_kib $ring
drawing_kib $drawing
grid_bytes $grid
game_kib $game
buffers_bytes $buffers
budget_kib $budget
game_minutes $minutes
game_matches $matches
headless_1min_kib $series1
headless_${minutes}min_kib $seriesN
headless_1min_run $(tail -n 1 "$tmp/series1.out")
headless_${minutes}min_run $(tail -n 1 "$tmp/seriesN.out")
EOF
echo "minimal GLFW + GLEW program:        $minimal KiB (one frame)"
echo "minimal program drawing the ring:   $ring KiB"
echo "minimal program drawing every cell: $drawing KiB (reference)"
echo "game, $minutes min, $matches matches:     $game KiB (budget $budget KiB: $verdict)"
echo "  grid ($cells cells): $grid bytes; with the vertex buffer $buffers bytes"
echo "headless game, 1 min of game time:  $series1 KiB ($(tail -n 1 "$tmp/series1.out"))"
echo "headless game, $minutes min of game time: $seriesN KiB ($(tail -n 1 "$tmp/seriesN.out"))"
