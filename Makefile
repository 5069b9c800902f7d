# Two entry points: `make run` builds the game and its asset pack and starts it, `make test`
# builds everything and runs every test. Both install missing Debian packages first.
# `make package` builds the Debian package build/vossa_<version>_<arch>.deb.
# `make windows` cross-builds the Windows program, its zip and installer in build-windows/.
# `make mutants` checks that the tests catch a list of deliberate faults (not part of test).
# Compilers run through ccache when it is installed; clones in other folders share its cache.
JOBS := $(shell nproc)
MAKEFLAGS += --no-print-directory
export CCACHE_BASEDIR ?= $(CURDIR)
export CCACHE_NOHASHDIR ?= 1
CCACHE := $(if $(shell command -v ccache 2>/dev/null),ccache)
LAUNCHER = -DCMAKE_C_COMPILER_LAUNCHER=$(CCACHE) -DCMAKE_CXX_COMPILER_LAUNCHER=$(CCACHE)

.PHONY: all deps configure build run test package windows bench mutants clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCHER) >/dev/null

build: configure
	@cmake --build build -j $(JOBS)

# Only what the game needs to run: the engine, the game and the asset pack.
run: configure
	@cmake --build build -j $(JOBS) --target vossa vossa_pack
	@bash scripts/run-game.sh

test: build
	@bash scripts/run-tests.sh

package: build
	@cd build && cpack -G DEB

windows: configure
	@bash scripts/build-windows.sh

bench: deps
	@cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DVOSSA_BENCH=ON -DVOSSA_TESTS=OFF $(LAUNCHER) >/dev/null
	@cmake --build build-bench -j $(JOBS)
	@bash bench/run.sh

mutants: deps
	@bash scripts/mutants.sh

clean:
	rm -rf build build-asan build-fuzz build-bench build-mutants build-windows
