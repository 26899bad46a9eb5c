#!/usr/bin/env bash
# The launcher (packaging/launcher.in) on a fake installation whose program
# is a stand-in that records its process id and waits: the signals that end
# a launched program, what is left in TMPDIR afterwards, and the launcher's
# own failures. No X server, no package.
# Usage: launcher-test.sh SOURCE_DIR
set -euo pipefail

source_dir=$(cd "${1:?source folder}" && pwd)
WORK=$(mktemp -d "${TMPDIR:-/tmp}/vektra-launcher-XXXXXX")
chmod 755 "$WORK"
LPID=""
cleanup() {
    [[ -z "$LPID" ]] || kill -TERM "$LPID" 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# usr/games/vektra, usr/lib/games/vektra/vektra (the stand-in) and the data.
root="$WORK/root"
mkdir -p "$root/usr/games" "$root/usr/lib/games/vektra" "$root/usr/share/games/vektra"
sed -e 's|@PROGRAM@|vektra|g' -e 's|@PROGRAM_FROM_BIN@|../lib/games/vektra/vektra|' \
    -e 's|@DATA_FROM_BIN@|../share/games/vektra|' -e 's|@LEADING_OPTION@||' \
    "$source_dir/packaging/launcher.in" >"$root/usr/games/vektra"
cat >"$root/usr/lib/games/vektra/vektra" <<'PROGRAM'
#!/bin/sh
echo $$ >"$PIDFILE"
pwd >>"$PIDFILE"
exec sleep "${SLEEP:-30}"
PROGRAM
chmod 755 "$root/usr/games/vektra" "$root/usr/lib/games/vektra/vektra"
echo "GRID_WIDTH == 80" >"$root/usr/share/games/vektra/vektra.cfg"
config="$WORK/config"
mkdir -p "$config/vektra" "$WORK/tmp"
chmod 777 "$WORK/tmp"
echo "GRID_WIDTH == 40" >"$config/vektra/SETTINGS_vektra.cfg"

pidfile="$WORK/pid"
launch() { # TMPDIR, then the launcher runs in the background: LPID
    rm -f "$pidfile"
    (cd "$WORK" && PIDFILE="$pidfile" XDG_CONFIG_HOME="$config" TMPDIR="$1" \
        exec "$root/usr/games/vektra" 2>"$WORK/err") &
    LPID=$!
    for _ in $(seq 100); do
        [[ -s "$pidfile" && $(wc -l <"$pidfile") -eq 2 ]] && return 0
        sleep 0.05
    done
    fail "the program did not start: $(cat "$WORK/err")"
}
gone() { # PID: true once the process has ended, within 5 s
    for _ in $(seq 100); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.05
    done
    return 1
}
links_left() { find "$WORK/tmp" -mindepth 1 -maxdepth 1 -name 'vektra-launch.*' | wc -l; }

# Overrides only: the program runs in a folder of links. Each signal the
# launcher can catch ends the program and removes the folder.
for signal in INT QUIT TERM HUP; do
    launch "$WORK/tmp"
    program=$(head -1 "$pidfile")
    [[ $(links_left) -eq 1 ]] || fail "no folder of links in TMPDIR"
    kill -"$signal" "$LPID"
    gone "$program" || fail "SIG$signal to the launcher left the program running"
    gone "$LPID" || fail "SIG$signal: the launcher did not end"
    [[ $(links_left) -eq 0 ]] || fail "SIG$signal left a folder in TMPDIR"
done

# SIGKILL cannot be caught: the program still ends, and the next launch
# removes the folder left behind.
launch "$WORK/tmp"
program=$(head -1 "$pidfile")
kill -KILL "$LPID"
wait "$LPID" 2>/dev/null || true
gone "$program" || fail "SIGKILL to the launcher left an orphaned program"
[[ $(links_left) -eq 1 ]] || fail "expected the killed launcher's folder"
launch "$WORK/tmp"
[[ $(links_left) -eq 1 ]] || fail "the next launch did not remove the stale folder"
kill -TERM "$LPID"
gone "$LPID" || fail "the launcher did not end"

# A relative TMPDIR is not used (it would be lost after the change of
# folder): the links go to /tmp and are removed.
launch "relative-tmp"
here=$(tail -1 "$pidfile")
[[ "$here" == /tmp/vektra-launch.* ]] || fail "a relative TMPDIR gave the folder $here"
kill -INT "$LPID"
gone "$LPID" || fail "the launcher did not end"
[[ ! -e "$here" && ! -e "$WORK/relative-tmp" ]] || fail "a relative TMPDIR left $here"

# A TMPDIR where no folder can be made: the launcher's own exit code.
set +e
(cd "$WORK" && XDG_CONFIG_HOME="$config" TMPDIR="$WORK/missing" "$root/usr/games/vektra" 2>"$WORK/err")
code=$?
set -e
[[ $code -eq 125 ]] || fail "an unusable TMPDIR gave exit code $code, expected 125"
grep -q "^vektra: cannot make a folder in $WORK/missing" "$WORK/err" || fail "message: $(cat "$WORK/err")"

# An unreadable per-user vektra.cfg: the shipped folder, with a warning.
# (root reads any file, so this row runs as nobody there.)
echo "GRID_WIDTH == 33" >"$config/vektra/vektra.cfg"
chmod 000 "$config/vektra/vektra.cfg"
rm "$config/vektra/SETTINGS_vektra.cfg"
as_user=()
if [[ $(id -u) -eq 0 ]]; then
    as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    chmod -R a+rX "$WORK/root" "$config"
    chmod 000 "$config/vektra/vektra.cfg"
    chmod 777 "$WORK"
fi
rm -f "$pidfile"
(cd "$WORK" && PIDFILE="$pidfile" SLEEP=0 XDG_CONFIG_HOME="$config" \
    "${as_user[@]}" "$root/usr/games/vektra" 2>"$WORK/err") || true
[[ "$(tail -1 "$pidfile" 2>/dev/null)" == "$root/usr/share/games/vektra" ]] ||
    fail "an unreadable vektra.cfg ran in '$(tail -1 "$pidfile" 2>/dev/null)': $(cat "$WORK/err")"
grep -q "vektra.cfg cannot be read; using the shipped settings" "$WORK/err" ||
    fail "no warning: $(cat "$WORK/err")"
# The simulator's launcher names the files --merge reads from the caller's
# folder, since the program runs in another.
sed -e 's|@PROGRAM@|vektra-sim|g' -e 's|@PROGRAM_FROM_BIN@|../lib/games/vektra/vektra-sim|' \
    -e 's|@DATA_FROM_BIN@|../share/games/vektra|' -e 's|@LEADING_OPTION@|-|' \
    "$source_dir/packaging/launcher.in" >"$root/usr/games/vektra-sim"
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >"$ARGSFILE"\n' >"$root/usr/lib/games/vektra/vektra-sim"
chmod 755 "$root/usr/games/vektra-sim" "$root/usr/lib/games/vektra/vektra-sim"
mkdir -p "$WORK/shards" && touch "$WORK/shards/a.txt"
(cd "$WORK/shards" && ARGSFILE="$WORK/args" XDG_CONFIG_HOME="$WORK/none" \
    "$root/usr/games/vektra-sim" --merge a.txt --csv)
[[ "$(cat "$WORK/args")" == $'--merge\n'"$WORK/shards/a.txt"$'\n--csv' ]] ||
    fail "--merge got: $(cat "$WORK/args")"
echo "launcher: passed"
