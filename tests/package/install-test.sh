#!/usr/bin/env bash
# What a player meets after "make install PREFIX=..." and from the checkout:
# - every link in an installed document, and every installed file a man page
#   names, points to an installed file;
# - the launchers and scripts/run-game answer --help, -h and --version
#   before anything starts;
# - the path rules, one table for the game, the simulator and the server,
#   installed and from the checkout: a relative path on the command line
#   means the folder the player started in, one in a settings file that
#   file's folder, "~/" the home folder.
# The game runs with a display that does not exist: it gets as far as its
# window, after the settings are read and judged, and stops there.
# Usage: install-test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail

build=$(cd "${1:?build folder}" && pwd)
source_dir=$(cd "${2:?source folder}" && pwd)
WORK=$(mktemp -d "${TMPDIR:-/tmp}/vektra-install-XXXXXX")
SERVER_PID=""
cleanup() {
    [[ -z "$SERVER_PID" ]] || kill -TERM "$SERVER_PID" 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}
ulimit -c 0

prefix="$WORK/prefix"
cmake --install "$build" --prefix "$prefix" >"$WORK/install.log" 2>&1 ||
    fail "install failed: $(cat "$WORK/install.log")"

# --- Links ---------------------------------------------------------------------
while IFS= read -r -d '' page; do
    folder=$(dirname "$page")
    while IFS= read -r target; do
        target=${target%%#*}
        [[ -z "$target" || "$target" == *://* || "$target" == mailto:* ]] && continue
        [[ -e "$folder/$target" ]] || fail "${page#"$prefix"/} links to $target, which is not installed"
    done < <(grep -o '](\([^)]*\))' "$page" | sed 's/^](\(.*\))$/\1/')
done < <(find "$prefix/share/doc" -name '*.md' -print0)
# The installed files the man pages and the player's guide name, under /usr.
for named in $(zcat "$prefix"/share/man/man6/*.gz | cat - "$prefix/share/doc/vektra/players-guide.md" |
    sed 's/\\-/-/g; s/\\f[BIRP]//g' | grep -o '/usr/share/[A-Za-z0-9_./-]*' | sed 's/[.]$//' | sort -u); do
    [[ -e "$prefix${named#/usr}" ]] || fail "a man page or the guide names $named, which is not installed"
done

# --- Help and version, before anything starts ----------------------------------
games="$prefix/games"
answers() { # expected-first-line command...
    local want=$1 out
    shift
    out=$(env DISPLAY=:65000 "$@" 2>&1) || fail "$* ended with $?: $out"
    [[ "$(head -1 <<<"$out")" =~ $want ]] || fail "$*: $(head -1 <<<"$out")"
}
version='[0-9]+\.[0-9]+\.[0-9]+$'
for run in "$games/vektra" "$source_dir/scripts/run-game"; do
    answers '^usage: vektra ' "$run" --help
    answers '^usage: vektra ' "$run" -h
    answers "^vektra $version" "$run" --version
done
answers '^usage: vektra ' "$source_dir/scripts/run-game" "$build" play.cfg -h
for program in vektra-config vektra-sim vektra-server; do
    answers "^usage: $program " "$games/$program" --help
    answers "^usage: $program " "$games/$program" -h
    answers "^$program $version" "$games/$program" --version
done

# --- Paths -----------------------------------------------------------------------
caller="$WORK/caller"
config="$WORK/config"
home="$WORK/home"
mkdir -p "$caller/replays" "$caller/sub/from-file" "$config/vektra/from-user" "$home/from-home"
echo "RECORD_DIR == from-file" >"$caller/sub/paths.cfg"
# From the checkout, the programs run where vektra.cfg is.
cp "$source_dir/vektra.cfg" "$caller/"
run() { # OUT ERR command... : in the caller's folder; sets CODE
    local out=$1 err=$2
    shift 2
    set +e
    # (The game's abort at its window is expected: bash need not announce it.)
    { (cd "$caller" && env XDG_CONFIG_HOME="$config" HOME="$home" DISPLAY=:65000 "$@" >"$out" 2>"$err"); } 2>/dev/null
    CODE=$?
    set -e
}
recorded() { # FOLDER ROW: one replay there now, and none left anywhere else
    [[ $(find "$1" -name '*.vkr' | wc -l) -eq 1 ]] || fail "$2: nothing recorded in $1"
    find "$1" -name '*.vkr' -delete
}
says() { # FILE TEXT ROW
    grep -qF -- "$2" "$1" || fail "$3: no \"$2\" in: $(cat "$1")"
}
sim_in="$games/vektra-sim"
sim_out="$build/app/vektra-sim"
# Simulator rows: where --matches=1 with these arguments must record.
while IFS='|' read -r where program args; do
    row="$program $args"
    program=${program/installed/$sim_in}
    program=${program/checkout/$sim_out}
    # shellcheck disable=SC2086 # words on purpose
    run "$WORK/out" "$WORK/err" $program --matches=1 $args
    [[ $CODE -eq 0 ]] || fail "$row: exit code $CODE: $(cat "$WORK/err")"
    recorded "${where/\~/$home}" "$row"
done <<ROWS
$caller/replays|installed|RECORD_DIR==replays
$caller/sub/from-file|installed|sub/paths.cfg
~/from-home|installed|RECORD_DIR==~/from-home
$caller/replays|checkout|RECORD_DIR==replays
$caller/sub/from-file|checkout|sub/paths.cfg
ROWS
# An overrides file in the per-user folder: that folder (the simulator runs
# in a folder of links elsewhere).
echo "RECORD_DIR == from-user" >"$config/vektra/SETTINGS_vektra.cfg"
run "$WORK/out" "$WORK/err" "$sim_in" --matches=1
recorded "$config/vektra/from-user" "per-user overrides"
rm "$config/vektra/SETTINGS_vektra.cfg"
# A folder the simulator cannot record in stops it.
for program in "$sim_in" "$sim_out"; do
    # shellcheck disable=SC2086
    run "$WORK/out" "$WORK/err" $program --matches=1 RECORD_DIR==nowhere
    [[ $CODE -eq 2 ]] || fail "$program RECORD_DIR==nowhere: exit code $CODE"
    says "$WORK/err" "RECORD_DIR: cannot write to $caller/nowhere (No such file or directory)" "$program"
done

# The game: a replay found from the caller's folder gets it to its window;
# one that is not there is named where it was looked for.
replay=$(cd "$caller" && find replays -name '*.vkr' | head -1)
[[ -n "$replay" ]] || "$sim_in" --matches=1 RECORD_DIR=="$caller/replays" >/dev/null
replay=$(cd "$caller" && find replays -name '*.vkr' | head -1)
for game in "$games/vektra" "$source_dir/scripts/run-game $build"; do
    # shellcheck disable=SC2086
    run "$WORK/out" "$WORK/err" $game REPLAY=="$replay" RECORD_DIR==nowhere
    says "$WORK/err" "Failed to init window" "$game REPLAY==$replay"
    ! grep -q '^REPLAY' "$WORK/err" || fail "$game REPLAY==$replay: $(cat "$WORK/err")"
    says "$WORK/err" "RECORD_DIR: cannot write to $caller/nowhere" "$game RECORD_DIR==nowhere"
    # shellcheck disable=SC2086
    run "$WORK/out" "$WORK/err" $game REPLAY==replays/missing.vkr
    [[ $CODE -eq 2 ]] || fail "$game REPLAY==replays/missing.vkr: exit code $CODE"
    says "$WORK/err" "REPLAY: $caller/replays/missing.vkr: cannot be read" "$game"
done

# The server keeps its status file where the player started it.
for server in "$games/vektra-server" "$build/app/vektra-server"; do
    rm -f "$caller/status.txt"
    # shellcheck disable=SC2086
    (cd "$caller" && exec env XDG_CONFIG_HOME="$config" $server PORT==0 BIND_ADDRESS==127.0.0.1 \
        STATUS_FILE==status.txt >"$WORK/out" 2>"$WORK/err") &
    SERVER_PID=$!
    for _ in $(seq 100); do
        [[ -s "$caller/status.txt" ]] && break
        kill -0 "$SERVER_PID" 2>/dev/null || fail "$server ended: $(cat "$WORK/err")"
        sleep 0.05
    done
    kill -TERM "$SERVER_PID"
    wait "$SERVER_PID" || true
    SERVER_PID=""
    grep -q '^STATE=' "$caller/status.txt" || fail "$server: no status file in $caller"
done
echo "install: passed"
