#!/usr/bin/env bash
# Online play's figures from real sessions on 127.0.0.1
# (bench/OnlineFigures.cpp says what each measures):
#  1. 64 bots joining one server: time until all hold their seat (goal 5 s);
#  2. bytes per client per second at 16 people, from ENet's counters
#     (goals 2 KB/s down, 500 B/s up);
#  3. the server's processor share in a 64-player match on 256 x 192 at
#     60 ms a step with level-2 computer players (goal 5 % of one core);
#  4. rollbacks through the lossy relay at 5 % and 10 % loss, 4 bots and 12
#     level-2 computer players, ONLINE_MATCHES (50) matches each, the step
#     and the round trip scaled down together (20 ms and 50 +/- 10 ms for
#     the shipped 60 ms and 150 +/- 30 ms); desyncs must be 0.
# Usage: bench/online-figures.sh [BUILD_DIR]   (a build with VEKTRA_BENCH)
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build-bench}" && pwd)
figures="$build/bench/vektra_online_figures"
[[ -x $figures ]] || { echo "online-figures: no $figures" >&2; exit 1; }

status=0
"$figures" join 64 || status=1
"$figures" bandwidth || status=1
"$figures" server-cpu || status=1
for loss in 5 10; do
  # Only the last line: the others are progress of a long run.
  "$figures" rollbacks "${ONLINE_MATCHES:-50}" "$loss" | tail -1
  [[ ${PIPESTATUS[0]} -eq 0 ]] || status=1
done
exit $status
