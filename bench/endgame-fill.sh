#!/usr/bin/env bash
# How full each computer-player level fills a region it is alone in:
# REGIONS (1000) small regions against the exact best and as many large
# ones against the checkerboard bound (bench/EndgameFill.cpp says how they
# are made). Level 4 takes most of the time (about 7 minutes of processor
# time for the large regions); bounded to 20 minutes. The table also goes to
# BUILD_DIR/bench/results/endgame-fill.txt.
# Usage: bench/endgame-fill.sh [BUILD_DIR]   (BUILD_DIR: a Release build
# with VEKTRA_BENCH, default build-bench)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build-bench}" && pwd)
mkdir -p "$build/bench/results"
timeout 1200 "$build/bench/vektra_endgame_fill" "${REGIONS:-1000}" |
    tee "$build/bench/results/endgame-fill.txt"
