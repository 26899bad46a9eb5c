# Shared by the end-to-end tests of the game: a private X server for each
# test, the real game in a temporary working directory, keys held for a
# moment, and screenshots read back pixel by pixel or cell by cell.
# Needs: VEKTRA (the game binary), VEKTRA_CFG (the shipped settings file),
# SEND_CLOSE (the close-request helper).

set -euo pipefail
# shellcheck source=../../scripts/lib/xvfb.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/xvfb.sh"

: "${VEKTRA:?path of the game binary}"
: "${VEKTRA_CFG:?path of the shipped vektra.cfg}"

WORK=$(mktemp -d "${TMPDIR:-/tmp}/vektra-e2e-XXXXXX")
GPID=""
WID=""

cleanup() {
    if [[ -n "$GPID" ]] && kill -0 "$GPID" 2>/dev/null; then
        kill "$GPID" 2>/dev/null || true
        wait "$GPID" 2>/dev/null || true
    fi
    xvfb_stop
    if [[ -n "${KEEP_E2E:-}" ]]; then
        echo "kept $WORK" >&2
    else
        rm -rf "$WORK"
    fi
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    if [[ -f "$WORK/err" ]]; then
        echo "--- game's standard error:" >&2
        cat "$WORK/err" >&2
    fi
    exit 1
}

# A private X server: X input goes to whichever window has the focus, so
# no other test's window may share it.
start_x() {
    xvfb_start "$WORK" || fail "the X server did not start"
}

# Starts the game in the working directory with the shipped settings file
# and the given arguments; standard output and error go to files.
start_game() {
    cp "$VEKTRA_CFG" "$WORK/vektra.cfg"
    local preload
    preload=$(vektra_preload "$VEKTRA")
    (cd "$WORK" && LD_PRELOAD="$preload" exec "$VEKTRA" "$@" >"$WORK/out" 2>"$WORK/err") &
    GPID=$!
}

wait_window() {
    WID=""
    for _ in $(seq 100); do
        WID=$(xdotool search --onlyvisible --name '^Vektra$' 2>/dev/null | head -1 || true)
        [[ -n "$WID" ]] && break
        kill -0 "$GPID" 2>/dev/null || fail "the game ended before its window appeared"
        sleep 0.05
    done
    [[ -n "$WID" ]] || fail "no window named Vektra appeared"
    xdotool mousemove 5 5
    # Let a few frames be drawn.
    sleep 0.3
}

# The game reads keys as held: down, a moment, up. 200 ms outlasts a
# frame even on a busy machine.
key() {
    xdotool keydown "$1"
    sleep 0.2
    xdotool keyup "$1"
}

# Waits up to $1 seconds for the game to end; sets EXIT_CODE.
wait_exit() {
    local limit=$(($1 * 20))
    for _ in $(seq "$limit"); do
        kill -0 "$GPID" 2>/dev/null || break
        sleep 0.05
    done
    kill -0 "$GPID" 2>/dev/null && fail "the game did not end within $1 s"
    set +e
    wait "$GPID"
    EXIT_CODE=$?
    set -e
    GPID=""
}

# Waits up to $2 seconds until standard output has $1 lines.
wait_lines() {
    local limit=$(($2 * 20))
    for _ in $(seq "$limit"); do
        [[ $(wc -l <"$WORK/out") -ge $1 ]] && return 0
        sleep 0.05
    done
    fail "expected $1 lines of output within $2 s, got: $(cat "$WORK/out")"
}

# Screenshot of the game's window into $WORK/$1.png.
shot() {
    xwd -id "$WID" -silent >"$WORK/$1.xwd" || fail "no screenshot of the window"
    convert "$WORK/$1.xwd" "$WORK/$1.png"
}

# "r g b" of the pixel at x, y (from the top left) of screenshot $1.
pixel() {
    convert "$WORK/$1.png" -crop "1x1+$2+$3" -depth 8 rgb:- | od -An -tu1 | xargs
}

# The screenshot read as a grid of $2 columns by $3 rows: one line per row,
# "#" for a white cell, "." for black, "?" for anything else. Each cell is
# read at its centre (point sampling, no blending).
cells() {
    convert "$WORK/$1.png" -sample "$2x$3!" -depth 8 rgb:- | od -An -v -tu1 -w3 |
        awk -v C="$2" '
            {
                v = $1 " " $2 " " $3
                line = line (v == "255 255 255" ? "#" : (v == "0 0 0" ? "." : "?"))
                if (length(line) == C) { print line; line = "" }
            }' >"$WORK/$1.cells"
}

# Takes screenshot $1 and its cells ($2 columns, $3 rows) until the
# command $4... succeeds on it, for at most 5 seconds: frame times vary, so
# the tests wait for what they look for rather than for a fixed time.
shot_until() {
    local name=$1 columns=$2 rows=$3
    shift 3
    for _ in $(seq 50); do
        shot "$name"
        cells "$name" "$columns" "$rows"
        "$@" "$name" && return 0
        sleep 0.1
    done
    fail "$name: not seen within 5 s: $*"$'\n'"$(cat "$WORK/$name.cells")"
}

# The character of cell (x, y) in the cell grid of screenshot $1.
cell() {
    sed -n "$(($3 + 1))p" "$WORK/$1.cells" | cut -c "$(($2 + 1))"
}

expect_cell() {
    local got
    got=$(cell "$1" "$2" "$3")
    [[ "$got" == "$4" ]] || fail "$1: cell ($2, $3) is '$got', expected '$4'"$'\n'"$(cat "$WORK/$1.cells")"
}

# Number of cells that differ between the cell grids of two screenshots.
cells_differ() {
    paste -d '\n' "$WORK/$1.cells" "$WORK/$2.cells" |
        awk 'NR % 2 == 1 { a = $0; next } { for (i = 1; i <= length(a); i++) n += substr(a, i, 1) != substr($0, i, 1) } END { print n + 0 }'
}
