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

# The preload rule of the sanitized builds, the one place it is made (CMake
# hands its answer to the OpenGL tests, tests/Support and the scripts below
# ask vektra_preload). LeakSanitizer's suppressions of the OpenGL driver's
# own leaks (tests/lsan.supp) match by library name, and only while the
# driver is still mapped when the leak check runs at exit and the leak's
# stack reaches it. Mesa unloads the driver with the last context, and the
# fast unwinder stops inside it, so the driver's allocations would be
# reported as "<unknown module>". Preloading the driver keeps it mapped to
# the end; the sanitizer runtime must come first in the list. The driver is
# Mesa's software rasteriser (what Xvfb offers), found where Mesa looks for
# it: LIBGL_DRIVERS_PATH when set, else the dri folder beside the GL
# libraries.

# vektra_preload_list RUNTIME GL_LIBRARY: prints the LD_PRELOAD list for a
# program built with the sanitizer runtime RUNTIME and linked to the GL
# library GL_LIBRARY (a path); nothing when either is missing.
vektra_preload_list() {
    local runtime=$1 gl=$2 dirs dir
    [[ -e "$runtime" && -e "$gl" ]] || return 0
    dirs="${LIBGL_DRIVERS_PATH:-}:$(dirname "$(readlink -f "$gl")")/dri"
    local IFS=:
    for dir in $dirs; do
        if [[ -n "$dir" && -e "$dir/swrast_dri.so" ]]; then
            echo "$(readlink -f "$runtime"):$dir/swrast_dri.so"
            return 0
        fi
    done
    echo "$(readlink -f "$runtime")"
}

# vektra_preload PROGRAM: the list for a built program, read from what it is
# linked to; nothing when it is not built with AddressSanitizer or does not
# use OpenGL.
vektra_preload() {
    local libraries
    libraries=$(env -u LD_PRELOAD ldd "$1" 2>/dev/null) || return 0
    vektra_preload_list "$(awk '/libasan/ { print $3; exit }' <<<"$libraries")" \
        "$(awk '/lib(GL|GLX|OpenGL)\.so/ { print $3; exit }' <<<"$libraries")"
}
