#!/usr/bin/env bash
# Processor time of the real game sitting on the title screen (before the
# first match, shipped settings and window size, under Xvfb) for SECONDS
# seconds of real time: once as shipped (the loop never rests) and once
# with "FRAME_LIMIT" 60 given on the command line. The figure is the game
# process's user + system time over the span (all its threads, read from
# /proc/PID/stat at its start and end); the X server's own work is not
# counted.
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
title_cpu() {
  cd "$root"
  "$build/app/vektra" "$@" >/dev/null 2>&1 &
  local pid=$!
  timeout 20 xdotool search --sync --onlyvisible --name '^Vektra$' >/dev/null
  local start
  start=$(cpu_ticks "$pid")
  sleep "$seconds"
  local end
  end=$(cpu_ticks "$pid")
  kill -TERM "$pid"
  wait "$pid" || true
  awk -v t="$((end - start))" -v hz="$ticks" 'BEGIN { printf "%.2f", t / hz }'
}

unlimited=$(title_cpu)
limited=$(title_cpu FRAME_LIMIT==60)
cat >"$results/title-cpu.txt" <<EOT
title_seconds $seconds
title_cpu_unlimited_s $unlimited
title_cpu_limit60_s $limited
EOT
echo "title screen, $seconds s, as shipped:        $unlimited s of CPU"
echo "title screen, $seconds s, FRAME_LIMIT == 60: $limited s of CPU"
