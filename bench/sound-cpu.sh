#!/usr/bin/env bash
# Processor time per frame of the real game (under Xvfb, FRAME_LIMIT 60,
# so 60 frames a second) with SOUND on and off side by side: SECONDS on the
# title screen, then SECONDS in a match of four computer players on a large
# arena (crashes make their cues). The figure is the game process's user +
# system time (all threads, so OpenAL's mixing thread too, read from
# /proc/PID/stat) over the span, divided by its frames. Without a sound
# card, OpenAL Soft mixes into a file through its wave writer: the same
# mixing work a device gets.
#
# The runs alternate, off then on, REPEATS times, and the means are given:
# other work on the machine shifts single runs by more than the sound costs.
#
# Usage: bench/sound-cpu.sh [BUILD_DIR]   (SOUND_SECONDS, default 20; REPEATS, default 3)
# Writes BUILD_DIR/bench/results/sound-cpu.txt and prints a summary.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build}" && pwd)
seconds=${SOUND_SECONDS:-20}
repeats=${REPEATS:-3}
results="$build/bench/results"
mkdir -p "$results"

tmp=$(mktemp -d)
# shellcheck source=../scripts/lib/xvfb.sh
source "$root/scripts/lib/xvfb.sh"
trap 'xvfb_stop; rm -rf "$tmp"' EXIT
xvfb_start "$tmp" || { echo "sound-cpu.sh: Xvfb did not start" >&2; exit 2; }
printf 'drivers = wave\n[wave]\nfile = %s/mix.wav\n' "$tmp" >"$tmp/alsoft.conf"

ticks=$(getconf CLK_TCK)
cpu_ticks() { sed 's/^.*) //' "/proc/$1/stat" | awk '{print $12 + $13}'; }
per_frame_us() { awk -v t="$1" -v hz="$ticks" -v f="$((seconds * 60))" 'BEGIN { printf "%.1f", 1e6 * t / hz / f }'; }

# Prints "title match" microseconds of CPU per frame for SOUND == $1.
measure() {
  cd "$root"
  ALSOFT_CONF="$tmp/alsoft.conf" "$build/app/vektra" FRAME_LIMIT==60 SOUND=="$1" \
    GRID_WIDTH==120 GRID_HEIGHT==90 NUM_PLAYERS==4 HUMAN_PLAYERS==0 MOVE_TIME==100 \
    >/dev/null 2>&1 &
  local pid=$!
  local window
  window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Vektra$' | head -1)
  sleep 1
  local start middle end
  start=$(cpu_ticks "$pid")
  sleep "$seconds"
  middle=$(cpu_ticks "$pid")
  xdotool windowfocus --sync "$window" keydown space sleep 0.2 keyup space
  start_match=$(cpu_ticks "$pid")
  sleep "$seconds"
  end=$(cpu_ticks "$pid")
  kill -TERM "$pid"
  wait "$pid" || true
  echo "$(per_frame_us $((middle - start))) $(per_frame_us $((end - start_match)))"
}

runs=()
for _ in $(seq "$repeats"); do
  runs+=("off $(measure NO)" "on $(measure YES)")
done
mean() { printf '%s\n' "${runs[@]}" | awk -v s="$1" -v c="$2" '$1 == s { t += $c; n++ } END { printf "%.1f", t / n }'; }
off_title=$(mean off 2)
off_match=$(mean off 3)
on_title=$(mean on 2)
on_match=$(mean on 3)
cat >"$results/sound-cpu.txt" <<EOT
sound_seconds $seconds
repeats $repeats
title_us_per_frame_sound_off $off_title
title_us_per_frame_sound_on $on_title
match_us_per_frame_sound_off $off_match
match_us_per_frame_sound_on $on_match
EOT
printf '%-8s %14s %14s\n' "" "SOUND off" "SOUND on"
printf '%-8s %11s us %11s us\n' title "$off_title" "$on_title" match "$off_match" "$on_match"
