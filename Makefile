# Two entry points: `make run` builds everything and starts the game, `make test` builds
# everything and runs every test. Both install missing Debian packages first.
# `make package` builds the Debian package build/vossa_<version>_<arch>.deb.
JOBS := $(shell nproc)
MAKEFLAGS += --no-print-directory

.PHONY: all deps build run test package bench clean

all: build

deps:
	@bash scripts/install-deps.sh

build: deps
	@cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build build -j $(JOBS)

run: build
	@bash scripts/run-game.sh

test: build
	@bash scripts/run-tests.sh

package: build
	@cd build && cpack -G DEB

bench: deps
	@cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DVOSSA_BENCH=ON -DVOSSA_TESTS=OFF >/dev/null
	@cmake --build build-bench -j $(JOBS)
	@bash bench/run.sh

clean:
	rm -rf build build-asan build-fuzz build-bench
