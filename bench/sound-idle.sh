#!/usr/bin/env bash
# The processor time of OpenAL Soft's mixing thread in the real game with SOUND on, on
# OpenAL Soft's null backend (it mixes in real time, as a sound card's would): SECONDS on
# the idle title screen (from a second after the window appears), then SECONDS of a match of
# computer players. Debian's OpenAL Soft leaves its threads unnamed, so every thread but the
# game's own and Mesa's counts (the mixing thread, OpenAL's event thread, the pause's
# watcher): read per thread from /proc/PID/task/TID/stat (user + system clock ticks) and
# schedstat (nanoseconds), every 50 ms. A paused device ends its mixing thread and a resumed
# one starts a new one, so every thread seen in the span counts, from its start when it
# began inside the span. REPEATS runs (default 3); with BASE_GAME (another
# build's game, e.g. the commit before the idle pause) its runs alternate with this build's.
# Then bench_CueLatency's figures: how late the first sound is after a pause.
#
# Usage: bench/sound-idle.sh [BUILD_DIR]   (SOUND_SECONDS, default 20; REPEATS; BASE_GAME)
# Writes BUILD_DIR/bench/results/sound-idle.txt and prints it.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build-bench}" && pwd)
seconds=${SOUND_SECONDS:-20}
repeats=${REPEATS:-3}
results="$build/bench/results"
mkdir -p "$results"

tmp=$(mktemp -d)
# shellcheck source=../scripts/lib/xvfb.sh
source "$root/scripts/lib/xvfb.sh"
trap 'xvfb_stop; rm -rf "$tmp"' EXIT
xvfb_start "$tmp" || { echo "sound-idle.sh: Xvfb did not start" >&2; exit 2; }
printf 'drivers = null\n' >"$tmp/alsoft.conf"
export ALSOFT_CONF="$tmp/alsoft.conf"

# Prints "ticks nanoseconds" of the sound threads of process $1 over $2 seconds.
mixing() {
  python3 - "$1" "$2" <<'EOF'
import os
import sys
import time

pid, seconds = sys.argv[1], float(sys.argv[2])


def mixers():
    found = {}
    for tid in os.listdir("/proc/%s/task" % pid):
        try:
            base = "/proc/%s/task/%s/" % (pid, tid)
            name = open(base + "comm").read().strip()
            if tid == pid or name.startswith("llvmpipe") or ":disk$" in name:
                continue
            fields = open(base + "stat").read().rsplit(")", 1)[1].split()
            ticks = int(fields[11]) + int(fields[12])
            nanoseconds = int(open(base + "schedstat").read().split()[0])
            found[tid] = (ticks, nanoseconds)
        except (OSError, IndexError, ValueError):
            pass  # a thread that ended meanwhile
    return found


first = mixers()
last = dict(first)
end = time.monotonic() + seconds
while time.monotonic() < end:
    time.sleep(0.05)
    last.update(mixers())
start = lambda tid: first.get(tid, (0, 0))
print(sum(last[t][0] - start(t)[0] for t in last), sum(last[t][1] - start(t)[1] for t in last))
EOF
}

# Prints "title_ticks title_ns match_ticks match_ns" for the game $1.
measure() {
  cd "$root"
  "$1" FRAME_LIMIT==60 SOUND==YES GRID_WIDTH==120 GRID_HEIGHT==90 NUM_PLAYERS==4 \
    HUMAN_PLAYERS==0 MOVE_TIME==100 >/dev/null 2>&1 &
  local pid=$!
  local window
  window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Vektra$' | head -1)
  sleep 1
  local title match
  title=$(mixing "$pid" "$seconds")
  xdotool windowfocus --sync "$window" keydown space sleep 0.2 keyup space
  match=$(mixing "$pid" "$seconds")
  kill -TERM "$pid"
  wait "$pid" || true
  echo "$title $match"
}

runs=()
for _ in $(seq "$repeats"); do
  [[ -n ${BASE_GAME:-} ]] && runs+=("before $(measure "$BASE_GAME")")
  runs+=("now $(measure "$build/app/vektra")")
done
{
  echo "seconds $seconds, $repeats runs each; sound threads' CPU: clock ticks (ms from schedstat)"
  for side in before now; do
    printf '%s\n' "${runs[@]}" | awk -v s="$side" '
      $1 == s { n++; tt[n] = $2; tn[n] = $3 / 1e6; mt[n] = $4; mn[n] = $5 / 1e6 }
      END {
        if (n == 0) exit
        line = sprintf("%-6s title", s)
        for (i = 1; i <= n; i++) line = line sprintf(" %d (%.1f ms)", tt[i], tn[i])
        line = line "; match"
        for (i = 1; i <= n; i++) line = line sprintf(" %d (%.1f ms)", mt[i], mn[i])
        line = line "; title/match"
        for (i = 1; i <= n; i++) line = line sprintf(" %.2f %%", mn[i] > 0 ? 100 * tn[i] / mn[i] : 0)
        print line
      }'
  done
  echo "first sound after a pause (vektra_cue_latency, null backend):"
  "$build/bench/vektra_cue_latency"
} | tee "$results/sound-idle.txt"
