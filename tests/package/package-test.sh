#!/usr/bin/env bash
# The Debian packages, as a player and a developer get them: built by CPack
# from the build tree, unpacked with dpkg-deb into a temporary root (never
# installed), checked for their files, control fields and lintian errors;
# then the game's launchers run from there: the settings inspector for the
# rules that pick the settings folder and files, and the game on a private
# X server until its title colour shows and Escape ends it.
# Usage: package-test.sh BUILD_DIR
set -euo pipefail
# shellcheck source=../../scripts/lib/xvfb.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/xvfb.sh"

build=$(cd "${1:?build folder}" && pwd)
WORK=$(mktemp -d "${TMPDIR:-/tmp}/vektra-package-XXXXXX")
GPID=""
cleanup() {
    if [[ -n "$GPID" ]]; then
        kill "$GPID" 2>/dev/null || true
        wait "$GPID" 2>/dev/null || true
    fi
    xvfb_stop
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# --- Build and unpack -------------------------------------------------------
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$WORK/out" >"$WORK/cpack.log" 2>&1 ||
    fail "cpack failed: $(cat "$WORK/cpack.log")"
arch=$(dpkg --print-architecture)
shopt -s nullglob
debs=("$WORK"/out/*.deb)
games=("$WORK"/out/vektra_*_"$arch".deb)
devs=("$WORK"/out/vektra-dev_*_"$arch".deb)
[[ ${#debs[@]} -eq 2 && ${#games[@]} -eq 1 && ${#devs[@]} -eq 1 ]] ||
    fail "expected the packages vektra and vektra-dev, got: ${debs[*]}"
deb=${games[0]}
devdeb=${devs[0]}

root="$WORK/root"
devroot="$WORK/devroot"
dpkg-deb -x "$deb" "$root"
dpkg-deb -x "$devdeb" "$devroot"

# --- File lists: the game's exactly these; the framework's in its folders --
expected=(
    usr/games/vektra
    usr/games/vektra-config
    usr/games/vektra-sim
    usr/games/vektra-server
    usr/lib/games/vektra/vektra
    usr/lib/games/vektra/vektra-config
    usr/lib/games/vektra/vektra-sim
    usr/lib/games/vektra/vektra-server
    usr/lib/systemd/system/vektra-server.service
    usr/share/applications/vektra.desktop
    usr/share/doc/vektra/players-guide.md
    usr/share/doc/vektra/changelog.gz
    usr/share/doc/vektra/copyright
    usr/share/doc/vektra/docs/computer-players.csv
    usr/share/doc/vektra/docs/computer-players.md
    usr/share/doc/vektra/docs/computer-players.png
    usr/share/doc/vektra/docs/online.md
    usr/share/doc/vektra/docs/party.png
    usr/share/doc/vektra/docs/playing.md
    usr/share/doc/vektra/docs/screenshot.png
    usr/share/doc/vektra/docs/settings.md
    usr/share/icons/hicolor/32x32/apps/vektra.png
    usr/share/icons/hicolor/48x48/apps/vektra.png
    usr/share/icons/hicolor/64x64/apps/vektra.png
    usr/share/man/man6/vektra-config.6.gz
    usr/share/man/man6/vektra-sim.6.gz
    usr/share/man/man6/vektra-server.6.gz
    usr/share/man/man6/vektra.6.gz
    usr/share/games/vektra/party.cfg
    usr/share/games/vektra/play.cfg
    usr/share/games/vektra/classic.cfg
    usr/share/games/vektra/vektra.cfg
)
for sound in start turn crash win draw pause lose tick go; do
    expected+=(usr/share/games/vektra/sounds/$sound.wav)
done
got=$(cd "$root" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
want=$(printf '%s\n' "${expected[@]}" | LC_ALL=C sort)
[[ "$got" == "$want" ]] || fail "file list differs:"$'\n'"$(diff <(echo "$want") <(echo "$got"))"
devfiles=$(cd "$devroot" && find . -type f | sed 's|^\./||')
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || gcc -print-multiarch)
stray=$(grep -v -E "^usr/(include/vektra/|lib/$multiarch/vektra/lib[A-Za-z]+\.a$|lib/$multiarch/pkgconfig/vektra\.pc$|lib/cmake/Vektra/|share/doc/vektra-dev/)" <<<"$devfiles" || true)
[[ -z "$stray" ]] || fail "vektra-dev holds files outside its folders: $stray"
for file in usr/lib/cmake/Vektra/VektraConfig.cmake usr/lib/cmake/Vektra/VektraTargets.cmake \
    usr/include/vektra/Game/GAME_MAIN usr/include/vektra/Game/GameManager.h \
    "usr/lib/$multiarch/vektra/libCFG.a" "usr/lib/$multiarch/pkgconfig/vektra.pc" \
    usr/share/doc/vektra-dev/copyright usr/share/doc/vektra-dev/docs/framework.md \
    usr/share/doc/vektra-dev/examples/catch/CMakeLists.txt usr/share/doc/vektra-dev/examples/catch/catch.cpp; do
    [[ -f "$devroot/$file" ]] || fail "vektra-dev lacks $file"
done
# Headers private to their library's sources stay out of the package.
private=$(grep -E '/(GLFW27Layer|GLFW27Aliases|InfoImpl)\.h$' <<<"$devfiles" || true)
[[ -z "$private" ]] || fail "vektra-dev ships private headers: $private"
# The game finds its sounds from its own place, by this relative path.
[[ -f "$root/usr/lib/games/vektra/../../../share/games/vektra/sounds/crash.wav" ]] ||
    fail "the sounds are not where the installed game looks for them"
# The libraries carry no debug sections.
for library in "$devroot/usr/lib/$multiarch/vektra/"*.a; do
    ! objdump -h "$library" | grep -q '\.debug_' || fail "$(basename "$library") keeps debug sections"
done
# pkg-config finds the framework in the unpacked tree, as it would under /usr.
pcflags=$(PKG_CONFIG_PATH="$devroot/usr/lib/$multiarch/pkgconfig" pkg-config --cflags --libs vektra) ||
    fail "pkg-config --cflags --libs vektra failed"
for flag in "-I$devroot/usr/lib/$multiarch/pkgconfig/../../../include/vektra" -lGameGLFW -lGameCore -lRenderText -lUtil -lglfw -lGLEW -lsodium -lopenal -lsndfile -lfreetype -lfontconfig; do
    [[ " $pcflags " == *" $flag "* ]] || fail "pkg-config lacks $flag: $pcflags"
done

# --- The menu entry: play.cfg, with actions for the party and the classic game
desktop="$root/usr/share/applications/vektra.desktop"
entry() { sed -n "/^\[$1\]/,/^\[/p" "$desktop" | grep -E "^$2=" | cut -d= -f2-; }
[[ $(entry "Desktop Entry" Exec) == "vektra play.cfg" ]] || fail "menu entry runs: $(entry "Desktop Entry" Exec)"
[[ $(entry "Desktop Entry" Actions) == "Party;Classic;" ]] || fail "actions: $(entry "Desktop Entry" Actions)"
[[ $(entry "Desktop Action Party" Exec) == "vektra party.cfg" && $(entry "Desktop Action Classic" Exec) == "vektra classic.cfg" ]] ||
    fail "the actions run: $(entry "Desktop Action Party" Exec), $(entry "Desktop Action Classic" Exec)"
for program in vektra vektra-config vektra-sim vektra-server; do
    [[ -x "$root/usr/games/$program" && -x "$root/usr/lib/games/vektra/$program" ]] || fail "$program not executable"
done

# The server's service starts the server's launcher, which the package holds.
unit="$root/usr/lib/systemd/system/vektra-server.service"
exec_start=$(grep -E '^ExecStart=' "$unit" | cut -d= -f2-)
[[ "$exec_start" == /usr/games/vektra-server && -x "$root$exec_start" ]] ||
    fail "the service starts '$exec_start', not the packaged server"

# --- Control fields ----------------------------------------------------------
field() { dpkg-deb -f "${2:-$deb}" "$1"; }
[[ $(field Package) == vektra ]] || fail "Package: $(field Package)"
[[ $(field Architecture) == "$arch" ]] || fail "Architecture: $(field Architecture)"
[[ $(field Section) == games ]] || fail "Section: $(field Section)"
[[ $(field Priority) == optional ]] || fail "Priority: $(field Priority)"
[[ -n $(field Version) && -n $(field Maintainer) && -n $(field Description) ]] ||
    fail "Version, Maintainer or Description empty"
depends=$(field Depends)
for library in libglfw3 libglew libopengl0 libglx0 libglu1 libsodium23 libopenal1 libsndfile1 libenet7 libfreetype6 libfontconfig1 fonts-dejavu-core libstdc++6 libc6; do
    [[ "$depends" == *"$library"* ]] || fail "Depends lacks $library: $depends"
done

[[ $(field Package "$devdeb") == vektra-dev && $(field Section "$devdeb") == libdevel ]] ||
    fail "vektra-dev: Package $(field Package "$devdeb"), Section $(field Section "$devdeb")"
for package in libglfw3-dev libglew-dev libgl-dev libglu1-mesa-dev libsodium-dev libopenal-dev libsndfile1-dev libfreetype-dev libfontconfig-dev pkg-config; do
    [[ "$(field Depends "$devdeb")" == *"$package"* ]] || fail "vektra-dev does not depend on $package"
done

# --- Lintian: no errors ------------------------------------------------------
lintian --fail-on error "$deb" "$devdeb" >"$WORK/lintian.log" 2>&1 ||
    fail "lintian: $(cat "$WORK/lintian.log")"

# --- Where the launchers take the settings from --------------------------------
# Through the inspector, which loads them exactly as the game does. Each run
# starts from an empty per-user folder and an empty caller's folder.
config="$WORK/config"
caller="$WORK/caller"
inspect() {
    (cd "$caller" && XDG_CONFIG_HOME="$config" "$root/usr/games/vektra-config" "$@")
}
fresh() {
    rm -rf "$config" "$caller"
    mkdir -p "$config/vektra" "$caller"
}
expect() {
    local want=$1
    shift
    local out
    out=$(inspect "$@" 2>&1) || fail "vektra-config $* failed: $out"
    [[ "$out" == "$want" ]] || fail "vektra-config $*: got '$out', expected '$want'"
}

fresh # nothing of the player's: the shipped file from the data folder
expect $'80\n4\n./SETTINGS_vektra.cfg' --get GRID_WIDTH --get NUM_PLAYERS --get SETTINGS_FILE
fresh # the player's own vektra.cfg replaces the shipped one
echo "GRID_WIDTH == 33" >"$config/vektra/vektra.cfg"
expect 33 --get GRID_WIDTH --get NUM_PLAYERS
fresh # overrides only: the shipped file, the player's overrides on top
echo "GRID_WIDTH == 40" >"$config/vektra/SETTINGS_vektra.cfg"
expect $'40\n4' --get GRID_WIDTH --get NUM_PLAYERS
fresh # a named overrides file, from the per-user folder
echo "NUM_PLAYERS == 6" >"$config/vektra/SETTINGS_six.cfg"
echo "NUM_PLAYERS == 9" >"$caller/SETTINGS_six.cfg"
expect $'6\n80' --get NUM_PLAYERS --get GRID_WIDTH SETTINGS_six.cfg
fresh # an extra file from the caller's folder wins over the per-user one
echo "MOVE_TIME == 30" >"$caller/extra.cfg"
echo "MOVE_TIME == 50" >"$config/vektra/extra.cfg"
expect 30 --get MOVE_TIME extra.cfg
rm "$caller/extra.cfg" # then the per-user one
expect 50 --get MOVE_TIME extra.cfg
fresh # an extra file after an overrides file, and KEY==VALUE after both
echo "MOVE_TIME == 30" >"$caller/extra.cfg"
expect $'30\n7' --get MOVE_TIME --get NUM_PLAYERS SETTINGS_none.cfg extra.cfg NUM_PLAYERS==7
fresh # a shipped extra file, from the data folder
expect 2 --get HUMAN_PLAYERS party.cfg
expect 3 --get COUNTDOWN play.cfg
echo "HUMAN_PLAYERS == 3" >"$config/vektra/party.cfg" # unless the player has one
expect 3 --get HUMAN_PLAYERS party.cfg
fresh # --check before --get, and the profile found after it
expect $'vektra-config: the game runs with these settings' --check play.cfg
fresh # the simulator, with its options first, plays the shipped profile
out=$(cd "$caller" && XDG_CONFIG_HOME="$config" "$root/usr/games/vektra-sim" --matches=2 play.cfg GRID_WIDTH==30 2>&1) ||
    fail "vektra-sim failed: $out"
[[ "$out" == "2 matches on a 30 x 60 grid"* ]] || fail "vektra-sim printed: $out"
fresh # an extra file found nowhere: exit code 1
set +e
inspect --get MOVE_TIME missing.cfg >/dev/null 2>&1
code=$?
set -e
[[ $code -eq 1 ]] || fail "a missing extra file gave exit code $code, expected 1"
rm -rf "$config"
mkdir "$config"

# --- The game, from the unpacked root, with an empty per-user folder ---------
xvfb_start "$WORK" || fail "the X server did not start: $(cat "$WORK/xvfb.log")"

touch "$WORK/before"
(cd "$caller" && XDG_CONFIG_HOME="$config" exec "$root/usr/games/vektra" >"$WORK/game.out" 2>"$WORK/game.err") &
GPID=$!
wid=""
for _ in $(seq 200); do
    wid=$(xdotool search --onlyvisible --name '^Vektra$' 2>/dev/null | head -1 || true)
    [[ -n "$wid" ]] && break
    kill -0 "$GPID" 2>/dev/null || fail "the game ended before its window appeared: $(cat "$WORK/game.err")"
    sleep 0.05
done
[[ -n "$wid" ]] || fail "no window named Vektra appeared"

# The title screen shows the shipped clear colour, 0x101830.
colour=""
for _ in $(seq 100); do
    colour=$(xwd -id "$wid" -silent | convert xwd:- -crop 1x1+400+300 -depth 8 rgb:- | od -An -tu1 | xargs || true)
    [[ "$colour" == "16 24 48" ]] && break
    sleep 0.1
done
[[ "$colour" == "16 24 48" ]] || fail "title colour is '$colour', expected '16 24 48'"

xdotool mousemove 5 5 keydown Escape
sleep 0.2
xdotool keyup Escape
for _ in $(seq 200); do
    kill -0 "$GPID" 2>/dev/null || break
    sleep 0.05
done
kill -0 "$GPID" 2>/dev/null && fail "the game did not end on Escape"
set +e
wait "$GPID"
code=$?
set -e
GPID=""
[[ $code -eq 0 ]] || fail "the game ended with exit code $code: $(cat "$WORK/game.err")"

# It wrote nothing: not in the per-user folder, the caller's or the root.
written=$(find "$config" "$caller" "$root" -newer "$WORK/before" -not -type d)
[[ -z "$written" && -z "$(ls -A "$config")" ]] || fail "the game wrote: $written"
echo "package: $(basename "$deb") passed"
