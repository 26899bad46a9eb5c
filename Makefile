# Vektra: the README's commands. CMake does the building; this file wires
# the set-up (Debian packages, configure, build) in front of each command.
JOBS ?= $(shell nproc)
XVFB := xvfb-run -a -s "-screen 0 1280x1024x24 -noreset"
CMAKE_FLAGS := -G Ninja -Wno-dev
FUZZ_SECONDS ?= 60
SOAK_SECONDS ?= 600

.PHONY: all deps configure build run party play server test test-sanitize bench fuzz soak clean install package

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B build $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build build -j $(JOBS)

# Only what playing needs: the game and the settings inspector.
run: configure
	@cmake --build build -j $(JOBS) --target vektra vektra-config
	@scripts/run-game build

# The game with party.cfg's additions: colours, two people, words on screen.
party: configure
	@cmake --build build -j $(JOBS) --target vektra vektra-config
	@scripts/run-game build party.cfg

# One person against three computer players, everything on: play.cfg.
play: configure
	@cmake --build build -j $(JOBS) --target vektra vektra-config
	@scripts/run-game build play.cfg

# A dedicated online server on the shipped vektra.cfg, in the foreground
# until Ctrl+C; SERVER_ARGS adds a server .cfg and KEY==VALUE settings
# (make server SERVER_ARGS="PORT==0 PASSWORD==secret").
server: configure
	@cmake --build build -j $(JOBS) --target vektra-server
	@build/app/vektra-server $(SERVER_ARGS)

test: build
	@$(XVFB) ctest --test-dir build --output-on-failure -j $(JOBS)

test-sanitize: deps
	@cmake -S . -B build-asan $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Debug -DVEKTRA_SANITIZE=ON >/dev/null
	@cmake --build build-asan -j $(JOBS)
	@ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  $(XVFB) ctest --test-dir build-asan --output-on-failure -j $(JOBS)

bench: deps
	@cmake -S . -B build-bench $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Release -DVEKTRA_BENCH=ON >/dev/null
	@cmake --build build-bench -j $(JOBS)
	@scripts/run-benchmarks build-bench

fuzz: deps
	@cmake -S . -B build-fuzz $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEKTRA_FUZZ=ON \
	  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
	@cmake --build build-fuzz -j $(JOBS)
	@scripts/run-fuzzers build-fuzz $(FUZZ_SECONDS)

# The game under AddressSanitizer on a private X server, with random keys,
# for SOAK_SECONDS; report and memory plot in build-asan/soak/.
soak: deps
	@cmake -S . -B build-asan $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Debug -DVEKTRA_SANITIZE=ON >/dev/null
	@cmake --build build-asan -j $(JOBS) --target vektra
	@scripts/soak build-asan $(SOAK_SECONDS)

# The game, its data and the framework's headers, libraries and CMake
# package under PREFIX (a folder you can write to, or run as root).
PREFIX ?= /usr/local
install: build
	@cmake --install build --prefix "$(PREFIX)"

# The Debian package of the game, build/vektra_<version>_<arch>.deb.
package: build
	@cd build && cpack -G DEB

clean:
	rm -rf build build-asan build-bench build-fuzz
