#!/usr/bin/env bash
# The example game as a framework user builds it: the framework installed
# from the build tree into a temporary prefix (headers, libraries, CMake
# package), examples/catch configured against that prefix alone with
# find_package(Vektra CONFIG), built, and run headless through its scripted
# round: it must catch the target once and end on Escape, exit code 0.
# Usage: example-test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail

build=$(cd "${1:?build folder}" && pwd)
source=$(cd "${2:?source folder}" && pwd)
WORK=$(mktemp -d "${TMPDIR:-/tmp}/vektra-example-XXXXXX")
trap 'rm -rf "$WORK"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cmake --install "$build" --prefix "$WORK/prefix" --component dev >"$WORK/install.log" 2>&1 ||
    fail "install: $(cat "$WORK/install.log")"
[[ -f "$WORK/prefix/lib/cmake/Vektra/VektraConfig.cmake" ]] || fail "no CMake package installed"

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$source/examples/catch" -B "$WORK/catch" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_PREFIX_PATH="$WORK/prefix" "${launcher[@]}" >"$WORK/configure.log" 2>&1 ||
    fail "configure: $(cat "$WORK/configure.log")"
cmake --build "$WORK/catch" >"$WORK/build.log" 2>&1 || fail "build: $(cat "$WORK/build.log")"

set +e
out=$(cd "$WORK/catch" && ./catch --headless 2>"$WORK/err")
code=$?
set -e
[[ $code -eq 0 ]] || fail "catch --headless exit code $code: $(cat "$WORK/err")"
[[ -z "$(cat "$WORK/err")" ]] || fail "catch --headless wrote on standard error: $(cat "$WORK/err")"
lines=()
mapfile -t lines <<<"$out"
[[ ${#lines[@]} -eq 2 && "${lines[0]}" == "SCORE=1" && "${lines[1]}" == "headless: "*" frames, ended by quit" ]] ||
    fail "catch --headless printed: $out"
frames=${lines[1]#headless: }
frames=${frames%% *}
# Escape goes down at frame 300 and the loop ends in that frame.
[[ $frames -ge 300 && $frames -le 302 ]] || fail "ran $frames frames, expected about 300"
echo "example: $out"
