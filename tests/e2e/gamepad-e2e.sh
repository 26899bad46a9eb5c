#!/usr/bin/env bash
# A virtual gamepad (Linux uinput) steering the real game in a real window:
# its A button starts a match from the title screen, its stick turns the
# seat's player up into the top wall, and the match ends. Skips (exit 77)
# where the machine offers no /dev/uinput to make the pad with.
# Needs: VIRTUAL_PAD (the uinput helper) besides what e2e-lib.sh needs.
if [[ ! -w /dev/uinput ]]; then
    echo "SKIP: this machine offers no writable /dev/uinput, so no virtual gamepad can be made"
    exit 77
fi
source "$(dirname "$0")/e2e-lib.sh"
: "${VIRTUAL_PAD:?path of the virtual gamepad helper}"

start_x
# The pad exists before the game starts, as a pad plugged in already would;
# it waits for the window, presses A, then holds the stick up.
"$VIRTUAL_PAD" &
PAD=$!
start_game NUM_PLAYERS==2 JOY_P1==1 MOVE_TIME==60 TURN_CHANCE==0
wait_window
wait_lines 1 15
wait "$PAD" || fail "the virtual pad failed"
# Player 0 starts heading right a quarter of the way in: turned up, it hits
# the top wall first, and the computer player wins.
[[ $(head -1 "$WORK/out") == "WIN=1" ]] || fail "expected WIN=1, got: $(cat "$WORK/out")"
"$SEND_CLOSE" "$WID"
wait_exit 10
echo "PASS: a virtual gamepad started and steered a match"
