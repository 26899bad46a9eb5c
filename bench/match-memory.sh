#!/usr/bin/env bash
# Peak resident memory (GNU time's "Maximum resident set size") of one
# 16-player match played to its end on the real render controller
# (vektra_match_memory), on the shipped 80 x 60 grid and on 1024 x 1024,
# in the same run. Budget for the large grid: the small grid's peak + the
# large grid (1 MiB) + 48 bytes for each quad of the fullest frame + 4 MiB.
#
# Usage: bench/match-memory.sh [BUILD_DIR]
# Writes BUILD_DIR/bench/results/match-memory.txt (key value lines) and
# prints a summary.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build-bench}" && pwd)
results="$build/bench/results"
mkdir -p "$results"

tmp=$(mktemp -d)
# shellcheck source=../scripts/lib/xvfb.sh
source "$root/scripts/lib/xvfb.sh"
trap 'xvfb_stop; rm -rf "$tmp"' EXIT
xvfb_start "$tmp" || { echo "match-memory.sh: Xvfb did not start" >&2; exit 2; }
peak_kib() { sed -n 's/.*Maximum resident set size (kbytes): //p' "$1"; }

# Peak KiB and the program's line for one match: columns rows players mode.
match() {
  /usr/bin/time -v -o "$tmp/time.txt" "$build/bench/vektra_match_memory" "$@" >"$tmp/out.txt"
  echo "$(peak_kib "$tmp/time.txt") $(tail -n 1 "$tmp/out.txt")"
}

read -r small small_run < <(match 80 60 16)
read -r large large_run < <(match 1024 1024 16)
read -r texture texture_run < <(match 1024 1024 16 TEXTURE)
quads=$(sed -n 's/.*at most \([0-9]*\) quads.*/\1/p' <<<"$large_run")
budget=$((small + 1024 + (quads * 48 + 1023) / 1024 + 4096))
verdict=$([[ $large -le $budget ]] && echo met || echo MISSED)
cat >"$results/match-memory.txt" <<EOT
small_kib $small
small_run $small_run
large_kib $large
large_run $large_run
large_texture_kib $texture
large_texture_run $texture_run
large_budget_kib $budget
EOT
echo "16 players, 80 x 60:              $small KiB ($small_run)"
echo "16 players, 1024 x 1024:          $large KiB ($large_run)"
echo "  budget: $small + 1024 + 48 B x $quads quads + 4096 = $budget KiB: $verdict"
echo "16 players, 1024 x 1024, texture: $texture KiB ($texture_run)"
