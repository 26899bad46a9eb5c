#!/usr/bin/env bash
# Online play end to end: a real server on a free loopback port and two
# real game windows joining it on one private X server, steered with
# xdotool. Both say ready, play one match against two computer players,
# print the same result and show the same frozen arena, cell for cell.
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

# The arenas are frozen and must agree cell for cell. Each window says the
# result in its own terms ("YOU WIN", "YOU LOSE") on a panel of its own and
# frames its own head, so the cells are compared at their centres (where no
# frame runs), outside both windows' panels. The words' band for four
# labels takes the top 23 pixels of a 320 x 240 window; below it the 24 x 16
# cells fill the rest.
cells_differing() {
    local image
    for image in 0 1; do
        od -An -v -tu1 -w3 "$WORK/$image.rgb" >"$WORK/$image.txt"
    done
    awk -v W=320 -v H=240 -v top=23 -v cols=24 -v rows=16 '
        function mark(f, i) {
            x = i % W; y = int(i / W)
            if (!(f in x0) || x < x0[f]) x0[f] = x
            if (!(f in x1) || x > x1[f]) x1[f] = x
            if (!(f in y0) || y < y0[f]) y0[f] = y
            if (!(f in y1) || y > y1[f]) y1[f] = y
        }
        function covered(f, x, y) { return (f in x0) && x >= x0[f] && x <= x1[f] && y >= y0[f] && y <= y1[f] }
        FNR == 1 { f++ }
        { p[f, FNR - 1] = $0 }
        $1 == 18 && $2 == 24 && $3 == 42 { mark(f, FNR - 1) }
        END {
            compared = 0; differing = 0
            for (r = 0; r < rows; r++) for (c = 0; c < cols; c++) {
                x = int((c + 0.5) * W / cols); y = top + int((r + 0.5) * (H - top) / rows)
                if (covered(1, x, y) || covered(2, x, y)) continue
                compared++
                if (p[1, y * W + x] != p[2, y * W + x]) differing++
            }
            print compared, differing
        }' "$WORK/0.txt" "$WORK/1.txt"
}
grab 0
grab 1
read -r compared differing < <(cells_differing)
[[ $compared -gt 200 ]] || say_fail "only $compared cells outside the panels"
[[ $differing -eq 0 ]] || say_fail "the frozen arenas differ in $differing of $compared cells"
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
