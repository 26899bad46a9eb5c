#!/usr/bin/env bash
# Settings reads side by side with other commits' settings library: this
# build's bench_SettingsGet and the same benchmark source built against each
# commit of SETTINGS_REFERENCES (default 230cb9e, the index before the keyed
# hash; in a temporary worktree, removed at the end), run in turn REPEATS
# times (default 5), so that a busy moment of the machine hits every side
# alike. All read the same shipped vektra.cfg (this tree's). Prints, per
# benchmark, each side's nanoseconds per iteration (one get; a pair of reads
# for BM_VektraHotReads) as min-max over the processes, and the ratio of
# this build's to each commit's (min/min and max/max).
#
# Usage: bench/settings-get-against.sh [BUILD_DIR]   (a Release build with
# VEKTRA_BENCH, default build-bench)
# Writes BUILD_DIR/bench/results/settings-get-against.txt.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build-bench}" && pwd)
read -r -a commits <<<"${SETTINGS_REFERENCES:-230cb9e}"
repeats=${REPEATS:-5}
results="$build/bench/results"
mkdir -p "$results"
tmp=$(mktemp -d)
cleanup() {
  for tree in "$tmp"/src-*; do
    [[ -d $tree ]] && git -C "$root" worktree remove --force "$tree"
  done
  rm -rf "$tmp"
}
trap cleanup EXIT

sides=("now=$build/bench/bench_SettingsGet")
for commit in "${commits[@]}"; do
  tree="$tmp/src-$commit"
  git -C "$root" worktree add --detach --quiet "$tree" "$commit"
  cp "$root/bench/SettingsGet.cpp" "$root/bench/SettingsData.h" "$tree/bench/"
  cmake -S "$tree" -B "$tmp/build-$commit" -G Ninja -Wno-dev -DCMAKE_BUILD_TYPE=Release \
    -DVEKTRA_BENCH=ON >/dev/null
  cmake --build "$tmp/build-$commit" --target bench_SettingsGet >/dev/null
  sides+=("$commit=$tmp/build-$commit/bench/bench_SettingsGet")
done

export VEKTRA_SHIPPED_CFG="$root/vektra.cfg"
for round in $(seq "$repeats"); do
  for side in "${sides[@]}"; do
    "${side#*=}" --benchmark_filter='BM_Vektra' --benchmark_out_format=json \
      --benchmark_out="$tmp/${side%%=*}-$round.json" >/dev/null 2>&1
  done
done

python3 - "$tmp" "$repeats" "${sides[@]%%=*}" <<'EOF' | tee "$results/settings-get-against.txt"
import json
import sys

folder, repeats, names = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
times = {}
for name in names:
    for round in range(1, repeats + 1):
        for row in json.load(open("%s/%s-%d.json" % (folder, name, round)))["benchmarks"]:
            times.setdefault(row["name"], {}).setdefault(name, []).append(row["real_time"])
print("ns per iteration, min-max over %d processes each, taken in turn" % repeats)
for bench, sides in times.items():
    now = sides[names[0]]
    line = "%-28s now %.1f-%.1f" % (bench, min(now), max(now))
    for name in names[1:]:
        ref = sides[name]
        line += " | %s %.1f-%.1f (now/it %.2f-%.2f)" % (
            name, min(ref), max(ref), min(now) / min(ref), max(now) / max(ref))
    print(line)
EOF
