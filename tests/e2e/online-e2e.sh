#!/usr/bin/env bash
# Online play end to end: a real server on a free loopback port and two
# real game windows joining it on one private X server, steered with
# xdotool. Both say ready, play one match against two computer players,
# print the same result and show the same frozen arena, pixel for pixel.
# Then the server ends (SIGTERM): both say so and quit on Escape. Needs
# VEKTRA_SERVER (the server binary) besides what e2e-lib.sh needs.
source "$(dirname "$0")/e2e-lib.sh"
: "${VEKTRA_SERVER:?path of the server binary}"

# The server's match: a 24 x 16 arena, two people and two computer players
# of level 1, a step every 20 ms, colours. Everyone is ready at once, so the
# match starts without the start wait.
SERVER_ARGS=(PORT==0 BIND_ADDRESS==127.0.0.1 GRID_WIDTH==24 GRID_HEIGHT==16 NUM_PLAYERS==4 AI_LEVEL==1 MOVE_TIME==20
             TURN_CHANCE==0 START_WAIT==60
             PLAYER_COLORS==0x3C8CFFFF,0xFF8C1EFF,0x3CDC50FF,0xDC3CDCFF)
# Each window 320 x 240 at its own place; the heads never blink, so a
# frozen arena stays the same picture.
CLIENT_ARGS=(SCREEN_WIDTH==320 SCREEN_HEIGHT==240 FLASH_TIME==100000)

SPID=""
PIDS=()
WIDS=()
stop_all() {
    for pid in "${PIDS[@]}" "$SPID"; do
        if [[ -n "$pid" ]] && kill -0 "$pid" 2>/dev/null; then
            kill "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
        fi
    done
    cleanup
}
trap stop_all EXIT

say_fail() {
    for n in a b; do
        [[ -f "$WORK/$n/err" ]] && { echo "--- client $n's standard error:" >&2; cat "$WORK/$n/err" >&2; }
    done
    [[ -f "$WORK/server.out" ]] && { echo "--- server's output:" >&2; cat "$WORK/server.out" "$WORK/server.err" >&2; }
    fail "$@"
}

start_server() {
    cp "$VEKTRA_CFG" "$WORK/vektra.cfg"
    (cd "$WORK" && exec "$VEKTRA_SERVER" "${SERVER_ARGS[@]}" >"$WORK/server.out" 2>"$WORK/server.err") &
    SPID=$!
    PORT=""
    for _ in $(seq 100); do
        PORT=$(head -1 "$WORK/server.out" 2>/dev/null | grep -oE '[0-9]+' | tail -1 || true)
        [[ -n "$PORT" ]] && return 0
        kill -0 "$SPID" 2>/dev/null || say_fail "the server ended at start"
        sleep 0.05
    done
    say_fail "the server printed no port"
}

# start_client NAME X: a game in its own folder, its window moved to x = X.
start_client() {
    local dir="$WORK/$1" preload wid
    mkdir -p "$dir"
    cp "$VEKTRA_CFG" "$dir/vektra.cfg"
    preload=$(vektra_preload "$VEKTRA")
    (cd "$dir" && LD_PRELOAD="$preload" exec "$VEKTRA" CONNECT==127.0.0.1:"$PORT" NAME=="$1" \
        "${CLIENT_ARGS[@]}" >"$dir/out" 2>"$dir/err") &
    PIDS+=($!)
    local known=" ${WIDS[*]} "
    for _ in $(seq 100); do
        wid=$( (xdotool search --onlyvisible --name '^Vektra$' 2>/dev/null || true) | while read -r w; do
            [[ "$known" == *" $w "* ]] || echo "$w"
        done | head -1)
        [[ -n "$wid" ]] && break
        sleep 0.05
    done
    [[ -n "$wid" ]] || say_fail "no window for client $1"
    xdotool windowmove "$wid" "$2" 0
    WIDS+=("$wid")
}

# client_key N KEY: the key held for a moment in client N's window, given
# the focus first (each new window takes it when it opens).
client_key() {
    xdotool mousemove --window "${WIDS[$1]}" 10 10 windowfocus --sync "${WIDS[$1]}"
    sleep 0.1
    key "$2"
}

# wait_server TEXT COUNT: the server's log holds COUNT lines that begin
# with TEXT, within 10 s.
wait_server() {
    for _ in $(seq 200); do
        [[ $(grep -c "^$1" "$WORK/server.out" || true) -ge $2 ]] && return 0
        sleep 0.05
    done
    say_fail "the server logged no \"$1\" (x$2)"
}

# wait_out N LINES SECONDS
wait_out() {
    local file="$WORK/$( [[ $1 -eq 0 ]] && echo a || echo b)/out"
    for _ in $(seq $(($3 * 20))); do
        [[ $(wc -l <"$file") -ge $2 ]] && return 0
        sleep 0.05
    done
    say_fail "client $1 printed no result within $3 s: $(cat "$file")"
}

# The window of client N as raw RGB into $WORK/N.rgb.
grab() {
    xwd -id "${WIDS[$1]}" -silent | convert xwd:- -depth 8 rgb:"$WORK/$1.rgb" ||
        say_fail "no screenshot of client $1"
}

start_x
start_server
start_client a 0
start_client b 400
wait_server "join " 2
client_key 0 space
client_key 1 space

# Player a turns once; either way both must agree on what happened.
wait_server "start match=1" 1
client_key 0 Up
wait_out 0 1 30
wait_out 1 1 10
result_a=$(cat "$WORK/a/out")
result_b=$(cat "$WORK/b/out")
[[ "$result_a" =~ ^(WIN=[0-3]|DRAW)$ ]] || say_fail "client a printed: $result_a"
[[ "$result_a" == "$result_b" ]] || say_fail "results differ: a $result_a, b $result_b"

# The arenas are frozen; the words over them come from the same lobby
# message on both, which the server sends again as pings change: try until
# one pair of pictures agrees, for at most 5 s.
same=""
for _ in $(seq 25); do
    grab 0
    grab 1
    if cmp -s "$WORK/0.rgb" "$WORK/1.rgb"; then
        same=yes
        break
    fi
    sleep 0.2
done
[[ -n "$same" ]] || say_fail "the frozen arenas differ: $(cmp "$WORK/0.rgb" "$WORK/1.rgb" | head -1)"
lit=$(od -An -v -tu1 -w3 "$WORK/0.rgb" | grep -cv '^ *0 *0 *0$' || true)
[[ $lit -gt 1000 ]] || say_fail "the arena is empty ($lit lit pixels)"

# The server goes: both clients say so and quit on Escape.
kill -TERM "$SPID"
wait "$SPID" || say_fail "the server ended with exit code $? on SIGTERM"
SPID=""
for n in a b; do
    for _ in $(seq 100); do
        grep -q "server lost" "$WORK/$n/err" && break
        sleep 0.05
    done
    grep -q "server lost" "$WORK/$n/err" || say_fail "client $n did not notice the server go"
done
for i in 0 1; do
    client_key "$i" Escape
    for _ in $(seq 100); do
        kill -0 "${PIDS[$i]}" 2>/dev/null || break
        sleep 0.05
    done
    kill -0 "${PIDS[$i]}" 2>/dev/null && say_fail "client $i did not quit on Escape"
    wait "${PIDS[$i]}" || say_fail "client $i ended with exit code $?"
done
echo "online: ok ($result_a)"
