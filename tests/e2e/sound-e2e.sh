#!/usr/bin/env bash
# The real game with SOUND==YES, started from a folder of its own (not the
# build tree): it finds its sounds beside itself, and OpenAL Soft's wave
# writer, standing in for a sound card, records the start cue when space
# starts a match. Nothing is printed on standard error.
source "$(dirname "$0")/e2e-lib.sh"

mix="$WORK/mix.wav"
printf 'drivers = wave\n[wave]\nfile = %s\n' "$mix" >"$WORK/alsoft.conf"
export ALSOFT_CONF="$WORK/alsoft.conf"
unset SOUND_DIR
start_x
start_game SOUND==YES
wait_window
key space
sleep 1
"$SEND_CLOSE" "$WID"
wait_exit 10
[[ $EXIT_CODE -eq 0 ]] || fail "exit code $EXIT_CODE"
[[ ! -s "$WORK/err" ]] || fail "the game printed on standard error"
peak=$(sox "$mix" -n stat 2>&1 | awk '/^Maximum amplitude/ {print $3}')
awk -v p="$peak" 'BEGIN { exit !(p > 0.05) }' || fail "no sound in the mix (peak $peak)"
echo "PASS: the start cue is in the mix (peak $peak)"
