#!/usr/bin/env bash
# Party mode end to end: the real game with the shipped party.cfg in a real
# window on a private X server, two people steering with xdotool. Needs
# PARTY_CFG (the shipped party.cfg) besides what e2e-lib.sh needs; with
# PARTY_SCREENSHOT set, the winner's screenshot is copied there.
source "$(dirname "$0")/e2e-lib.sh"
: "${PARTY_CFG:?path of the shipped party.cfg}"

# A 64 x 32 arena in a 640 x 320 window, two people and no computer
# player. The words' band for two labels takes the top 23 pixels, so the
# arena's cells are 10 pixels wide and 297 / 32 tall. Player 1 (number 0)
# starts at (16, 8) heading right, player 2 (number 1) at (47, 23) heading
# left.
ARENA=(SCREEN_WIDTH==640 SCREEN_HEIGHT==320 GRID_WIDTH==64 GRID_HEIGHT==32 NUM_PLAYERS==2
       TURN_CHANCE==0 MOVE_TIME==100 FLASH_TIME==150 CLEAR_COLOR==0x204060FF)
BLUE="60 140 255"
ORANGE="255 140 30"

# Pixels of screenshot $1 inside the band of rows $2 to $3 (and columns $5
# to $6, the whole width without them) whose colour is within 12 of "r g b"
# $4 in every component.
count_colour() {
    local rgb=($4) left=${5:-0} right=${6:-640}
    convert "$WORK/$1.png" -crop "$((right - left))x$(($3 - $2))+$left+$2" -depth 8 rgb:- |
        od -An -v -tu1 -w3 |
        awk -v r="${rgb[0]}" -v g="${rgb[1]}" -v b="${rgb[2]}" '
            function d(a, b) { return a > b ? a - b : b - a }
            d($1, r) <= 12 && d($2, g) <= 12 && d($3, b) <= 12 { n++ }
            END { print n + 0 }'
}

start_x
cp "$PARTY_CFG" "$WORK/party.cfg"
start_game party.cfg "${ARENA[@]}"
wait_window

# The title screen has words on it: lit pixels over the clear colour.
shot title
lit=$(count_colour title 0 320 "32 64 96")
[[ $lit -lt $((640 * 320 - 2000)) ]] || fail "title: no words on the title screen"

# Player 2 turns up with w at once; player 1 turns up with the arrow a
# little later and runs into the top wall first: player 2 wins.
key space
sleep 0.3
key w
sleep 0.3
key Up
wait_lines 1 15
[[ "$(cat "$WORK/out")" == "WIN=1" ]] || fail "printed: $(cat "$WORK/out")"

# Over the frozen arena: both trails in their colours, walls white, and
# the winner's line in player 2's colour on its opaque panel in the middle,
# which hides the trail behind it.
sleep 0.3
shot winner
[[ $(pixel winner 165 102) == "$BLUE" ]] || fail "winner: player 1's start is $(pixel winner 165 102)"
[[ $(pixel winner 475 241) == "$ORANGE" ]] || fail "winner: player 2's start is $(pixel winner 475 241)"
[[ $(pixel winner 5 160) == "255 255 255" ]] || fail "winner: the wall is $(pixel winner 5 160)"
line=$(count_colour winner 145 198 "$ORANGE" 180 460)
[[ $line -gt 300 ]] || fail "winner: no 'PLAYER 2 WINS' line ($line pixels)"
if [[ -n "${PARTY_SCREENSHOT:-}" ]]; then
    cp "$WORK/winner.png" "$PARTY_SCREENSHOT"
fi

# The Escape that quits is a fresh press on the title screen.
key Escape
wait_exit 5
[[ $EXIT_CODE -eq 0 ]] || fail "exit code $EXIT_CODE after Escape"
[[ ! -s "$WORK/err" ]] || fail "unexpected errors"
echo "party: ok"
