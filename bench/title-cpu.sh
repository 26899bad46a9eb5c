#!/usr/bin/env bash
# Processor time of the real game sitting on the title screen (before the
# first match, shipped settings and window size, under Xvfb) for SECONDS
# seconds of real time: once as shipped (the loop never rests), then with
# "FRAME_LIMIT" 60 and 30 (and no vertical sync) on the command line. The
# figures are the frames drawn a second (buffer swaps, counted by the
# preloaded bench/SwapCount.c) and the game process's user + system time
# over the span (all its threads, read from /proc/PID/stat at its start and
# end); the X server's own work is not counted.
#
# Usage: bench/title-cpu.sh [BUILD_DIR]   (TITLE_SECONDS, default 60)
# Writes BUILD_DIR/bench/results/title-cpu.txt (key value lines) and prints
# a summary.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build-bench}" && pwd)
seconds=${TITLE_SECONDS:-60}
results="$build/bench/results"
mkdir -p "$results"

tmp=$(mktemp -d)
# shellcheck source=../scripts/lib/xvfb.sh
source "$root/scripts/lib/xvfb.sh"
trap 'xvfb_stop; rm -rf "$tmp"' EXIT
xvfb_start "$tmp" || { echo "title-cpu.sh: Xvfb did not start" >&2; exit 2; }

ticks=$(getconf CLK_TCK)
# User + system time of a process so far, in clock ticks (fields 14, 15
# of /proc/PID/stat, counted after the command name's closing parenthesis).
cpu_ticks() { sed 's/^.*) //' "/proc/$1/stat" | awk '{print $12 + $13}'; }

# Seconds of processor time the game spends on the title screen, started
# with the given extra arguments.
# Prints "CPU_SECONDS FRAMES_PER_SECOND": the frames are the buffer swaps
# that bench/SwapCount.c counted over the span.
title_cpu() {
  cd "$root"
  SWAP_COUNT_FILE="$tmp/swaps" LD_PRELOAD="$build/bench/libvektra_swap_count.so" \
    "$build/app/vektra" "$@" >/dev/null 2>&1 &
  local pid=$!
  timeout 20 xdotool search --sync --onlyvisible --name '^Vektra$' >/dev/null
  sleep 0.5
  local start swaps_start
  start=$(cpu_ticks "$pid")
  swaps_start=$(cat "$tmp/swaps")
  sleep "$seconds"
  local end swaps_end
  end=$(cpu_ticks "$pid")
  swaps_end=$(cat "$tmp/swaps")
  kill -TERM "$pid"
  wait "$pid" || true
  awk -v t="$((end - start))" -v hz="$ticks" -v a="$swaps_start" -v b="$swaps_end" 'BEGIN {
    split(a, s); split(b, e)
    printf "%.2f %.1f\n", t / hz, (e[1] - s[1]) / (e[2] - s[2]) }'
}

read -r unlimited unlimited_fps < <(title_cpu)
read -r limited limited_fps < <(title_cpu FRAME_LIMIT==60 VSYNC_ON==NO)
read -r limited30 limited30_fps < <(title_cpu FRAME_LIMIT==30 VSYNC_ON==NO)
cat >"$results/title-cpu.txt" <<EOT
title_seconds $seconds
title_cpu_unlimited_s $unlimited
title_fps_unlimited $unlimited_fps
title_cpu_limit60_s $limited
title_fps_limit60 $limited_fps
title_cpu_limit30_s $limited30
title_fps_limit30 $limited30_fps
EOT
echo "title screen, $seconds s, as shipped:        $unlimited s of CPU, $unlimited_fps frames drawn a second"
echo "title screen, $seconds s, FRAME_LIMIT == 60: $limited s of CPU, $limited_fps frames drawn a second"
echo "title screen, $seconds s, FRAME_LIMIT == 30: $limited30 s of CPU, $limited30_fps frames drawn a second"
