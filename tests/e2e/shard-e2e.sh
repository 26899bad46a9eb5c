#!/usr/bin/env bash
# A series of matches shared out by GNU parallel over two local job slots,
# three shards gathered in one file, then merged: the merged list must equal one run's list byte
# for byte, and the tally's result columns must equal one run's (its timing
# columns differ from run to run by nature). Needs VEKTRA_SIM (the
# simulator) and VEKTRA_CFG (the shipped settings file).
set -euo pipefail
: "${VEKTRA_SIM:?path of vektra-sim}"
: "${VEKTRA_CFG:?path of the shipped vektra.cfg}"
command -v parallel >/dev/null || { echo "FAIL: GNU parallel is not installed" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/vektra-shard-XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
cp "$VEKTRA_CFG" vektra.cfg
series=(--matches=30 --first=5 NUM_PLAYERS==3 AI_LEVEL_P2==1 AI_LEVEL_P3==2)

"$VEKTRA_SIM" "${series[@]}" --list --csv >single.txt
# Two slots on this machine (":"), in the form a list of ssh logins takes;
# parallel gathers each job's output whole into one file.
parallel --will-cite --sshlogin 2/: --halt now,fail=1 \
    "$VEKTRA_SIM" "${series[@]}" --shard={}/3 ::: 0 1 2 >shards.txt
[[ $(grep -c '^shard ' shards.txt) -eq 3 ]] || { echo "FAIL: not three shards" >&2; exit 1; }
"$VEKTRA_SIM" --merge --list --csv shards.txt >merged.txt

rows() { grep '^match ' "$1"; }
results() { grep -v '^match ' "$1" | cut -d, -f1-6; }
[[ $(rows single.txt | wc -l) -eq 30 ]] || { echo "FAIL: one run listed no 30 matches" >&2; exit 1; }
cmp <(rows single.txt) <(rows merged.txt) || { echo "FAIL: the merged list differs" >&2; exit 1; }
diff <(results single.txt) <(results merged.txt) ||
    { echo "FAIL: the merged tally's results differ" >&2; exit 1; }
# Every line of the merged output is the list or the tally: nothing else.
[[ $(wc -l <merged.txt) -eq $(wc -l <single.txt) ]] || { echo "FAIL: extra lines" >&2; exit 1; }
# A tournament's counts: 200,000 wins stay apart from the level.
for shard in 0 1; do
    awk -v i=$shard 'BEGIN {
        for (k = i; k < 200000; k += 2) printf "match %d WIN=0 steps 9 grid 00000000\n", k
        printf "shard %d/2 first 0 matches 200000 seed 1 grid 80 x 60 players 2 levels 3,2 ", i
        print "played 100000 seconds 1 cpu_seconds 1 step_seconds 1 worst_step_seconds 0.001" }'
done >million.txt
"$VEKTRA_SIM" --merge million.txt >tally.txt
grep -qx '     0      3 200000     100.0 %' tally.txt || { echo "FAIL: $(cat tally.txt)" >&2; exit 1; }
echo "shards merged: $(rows merged.txt | wc -l) matches"
