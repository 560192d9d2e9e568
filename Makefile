# The front door: `make run` opens a sample in Nerula under Wine, `make test` runs every test,
# `make bench` measures opening texts and pictures, and searching, against baselines.
SHELL := /bin/bash
JOBS ?= $(shell nproc)
FILE ?= samples/sample-sjis.txt

.PHONY: setup configure build run test bench clean

setup:
	@tools/setup.sh

# Each build is configured once, and again when the presets change; later runs only build
# what changed.
build/%/CMakeCache.txt: CMakePresets.json
	cmake --preset $* >/dev/null

configure: setup build/linux/CMakeCache.txt build/mingw-x64/CMakeCache.txt build/mingw-x86/CMakeCache.txt

build: configure
	cmake --build build/mingw-x64 -j$(JOBS)
	cmake --build build/mingw-x86 -j$(JOBS)
	cmake --build build/linux -j$(JOBS)

run: setup build/mingw-x64/CMakeCache.txt
	cmake --build build/mingw-x64 -j$(JOBS) --target nerula
	tools/run.sh "$(FILE)"

test: build
	ctest --test-dir build/linux --output-on-failure -j2

# The open benchmarks need the 64-bit build; the detection benchmark runs the native
# nerula-detect.
bench: setup build/linux/CMakeCache.txt build/mingw-x64/CMakeCache.txt
	cmake --build build/mingw-x64 -j$(JOBS) --target nerula own_work_bench open_bench baseline_viewer nerula_search_bench
	bench/run.sh
	bench/pictures/run.sh
	bench/detect-accuracy.sh
	bench/search/run.sh

clean:
	rm -rf build
