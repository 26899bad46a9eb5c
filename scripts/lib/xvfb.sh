# Shared by the shell scripts that run the game on an X server of their own
# (tests/e2e, scripts/soak, scripts/run-game) and by the C++ tests' helpers
# (tests/Support): a private X server, started and stopped, and the preload
# rule for a sanitized program. Source it; it only defines functions.

# xvfb_start DIR: starts a private X server and exports DISPLAY for it; its
# display number goes to DIR/display, its messages to DIR/xvfb.log, its
# process id to XVFB_PID. X input goes to whichever window has the focus,
# so scripts that send keys must not share a server with other windows.
# -displayfd lets the server pick a free display number itself, which
# parallel runs cannot race for; -noreset keeps it up when its last client
# leaves (the next run of the game connects to the same server). Returns 1
# when no server came up within 10 s.
xvfb_start() {
    local dir=$1
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
        3>"$dir/display" 2>"$dir/xvfb.log" &
    XVFB_PID=$!
    local _
    for _ in $(seq 200); do
        [[ -s "$dir/display" ]] && break
        sleep 0.05
    done
    [[ -s "$dir/display" ]] || return 1
    export DISPLAY=":$(head -1 "$dir/display")"
}

# xvfb_stop: ends the server xvfb_start started, if it still runs.
xvfb_stop() {
    if [[ -n "${XVFB_PID:-}" ]]; then
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        XVFB_PID=""
    fi
}

# vektra_preload PROGRAM: prints what LD_PRELOAD must hold for a run of
# PROGRAM, nothing when it is not built with AddressSanitizer or does not
# use OpenGL.
# LeakSanitizer's suppressions of the OpenGL driver's own leaks
# (tests/lsan.supp) match by library name, which only works while the
# library is still loaded when the leaks are reported at exit; but closing
# the window unloads the driver. So a sanitized program gets the driver
# preloaded, which keeps it loaded to the end, after the sanitizer runtime,
# which must come first. The driver is Mesa's software rasteriser (what
# Xvfb offers), looked up where Mesa itself looks: LIBGL_DRIVERS_PATH when
# set, else the dri folder beside the GL libraries the program is linked to.
vektra_preload() {
    local program=$1 runtime gl dirs dir
    runtime=$(ldd "$program" 2>/dev/null | awk '/libasan/ { print $3; exit }')
    [[ -n "$runtime" ]] || return 0
    gl=$(ldd "$program" 2>/dev/null | awk '/lib(GL|GLX|OpenGL)\.so/ { print $3; exit }')
    [[ -n "$gl" ]] || return 0
    dirs="${LIBGL_DRIVERS_PATH:-}:$(dirname "$(readlink -f "$gl")")/dri"
    local IFS=:
    for dir in $dirs; do
        if [[ -n "$dir" && -e "$dir/swrast_dri.so" ]]; then
            echo "$runtime $dir/swrast_dri.so"
            return 0
        fi
    done
    echo "$runtime"
}
