# Front door of the Tavlon tree. See README.md.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps native windows test test-native test-windows run fuzz bench clean

all: native

deps:
	@sh tools/install-deps.sh

native: deps
	cmake --preset native >/dev/null
	cmake --build --preset native -j $(JOBS)

windows: deps
	cmake --preset windows >/dev/null
	cmake --build --preset windows -j $(JOBS)

test-native: native
	ctest --preset native -j $(JOBS)

test-windows: windows
	ctest --preset windows

# Installs what a fresh machine lacks, builds both presets and runs every
# test: natively, and the Windows executables under Wine.
test: test-native test-windows

# The main job needs the command-line exporter, which is not built yet.
run:
	@echo "tavlon-export is not built yet: the tree holds the calendar arithmetic,"
	@echo "the definition language, the settings store and the platform layer."
	@echo "'make test' builds both presets and runs their tests."

bench: native
	./build/native/bench/tavlon_bench

fuzz:
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS)

clean:
	rm -rf build
