#!/usr/bin/env bash
# vektra-bot as a real process against a real vektra-server on 127.0.0.1:
# it plays its matches and exits 0, exits 2 for arguments it cannot use,
# and exits 1 with the reason when stopped early or when the server goes
# away under it.
# Needs: VEKTRA_SERVER, VEKTRA_BOT (the binaries), VEKTRA_CFG (the shipped
# settings file).
set -euo pipefail
: "${VEKTRA_SERVER:?path of vektra-server}"
: "${VEKTRA_BOT:?path of vektra-bot}"
: "${VEKTRA_CFG:?path of the shipped vektra.cfg}"

work=$(mktemp -d "${TMPDIR:-/tmp}/vektra-bot-e2e-XXXXXX")
spid=""
cleanup() {
    [[ -n $spid ]] && kill "$spid" 2>/dev/null && wait "$spid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    for f in "$work"/*.out "$work"/*.err; do
        [[ -s $f ]] && { echo "--- $f"; cat "$f"; } >&2
    done
    exit 1
}

cp "$VEKTRA_CFG" "$work/vektra.cfg"
(cd "$work" && exec "$VEKTRA_SERVER" PORT==0 BIND_ADDRESS==127.0.0.1 GRID_WIDTH==16 \
    GRID_HEIGHT==12 NUM_PLAYERS==4 MOVE_TIME==10 START_WAIT==0 >server.out 2>server.err) &
spid=$!
port=""
for _ in $(seq 100); do
    port=$(sed -n 's/^listening PORT=\([0-9]*\)$/\1/p' "$work/server.out" 2>/dev/null | head -1 || true)
    [[ -n $port ]] && break
    sleep 0.1
done
[[ -n $port ]] || fail "the server did not say its port"

# Two matches with two seats, then it leaves and exits 0.
status=0
timeout 60 "$VEKTRA_BOT" CONNECT==127.0.0.1:"$port" BOTS==2 MATCHES==2 >"$work/bot.out" \
    2>"$work/bot.err" || status=$?
[[ $status -eq 0 ]] || fail "the bot exited $status after its matches"
grep -Eq '^vektra-bot: match 2 (DRAW|WIN=[0-3])$' "$work/bot.out" || fail "no result of match 2"

# Arguments it cannot use: exit 2 and the usage.
status=0
"$VEKTRA_BOT" CONNECT==127.0.0.1:"$port" BOTS==5 >/dev/null 2>"$work/bad.err" || status=$?
[[ $status -eq 2 ]] || fail "BOTS==5 exited $status, not 2"
grep -q 'BOTS wants 1 to 4' "$work/bad.err" || fail "no reason for BOTS==5"

# SIGTERM before its matches are played, once the server has seen it join:
# goodbye, exit 1 with the reason.
joins() { grep -c '^join ' "$work/server.out" || true; }
before=$(joins)
timeout 60 "$VEKTRA_BOT" CONNECT==127.0.0.1:"$port" MATCHES==1000 >/dev/null 2>"$work/term.err" &
tpid=$!
for _ in $(seq 200); do
    [[ $(joins) -gt $before ]] && break
    sleep 0.05
done
[[ $(joins) -gt $before ]] || fail "the server saw no join of the bot to stop"
kill -TERM "$tpid"
status=0
wait "$tpid" || status=$?
[[ $status -eq 1 ]] || fail "the bot exited $status on SIGTERM, not 1"
grep -q '^vektra-bot: stopped by a signal after [0-9]* of 1000 matches$' "$work/term.err" ||
    fail "no reason for the stop"

# The server stopped while the bot plays: exit 1 with the reason.
timeout 60 "$VEKTRA_BOT" CONNECT==127.0.0.1:"$port" MATCHES==1000 >"$work/long.out" \
    2>"$work/long.err" &
bpid=$!
for _ in $(seq 200); do
    grep -q '^vektra-bot: match 1 ' "$work/long.out" && break
    sleep 0.1
done
grep -q '^vektra-bot: match 1 ' "$work/long.out" || fail "the second bot played no match"
kill -TERM "$spid"
status=0
wait "$spid" || status=$?
spid=""
[[ $status -eq 0 ]] || fail "the server exited $status on SIGTERM"
status=0
wait "$bpid" || status=$?
[[ $status -eq 1 ]] || fail "the bot exited $status when the server went, not 1"
grep -q "^vektra-bot: lost 127.0.0.1:$port: " "$work/long.err" || fail "no reason for the lost server"
echo "ok"
