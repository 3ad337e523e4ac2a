# The two commands of the README: `make run` and `make test`. Both install
# what they need first (scripts/install-deps.sh does nothing when all is there).

JOBS ?= 2
MAKEFLAGS += --no-print-directory
CTEST_FLAGS ?= --output-on-failure

.PHONY: all deps native win32 fuzz-build test test-native test-win32 test-fuzz fuzz bench dist run clean

all: native win32

deps:
	@bash scripts/install-deps.sh

native: deps
	@cmake --preset native >/dev/null
	@cmake --build --preset native -j $(JOBS)

win32: deps
	@cmake --preset win32 >/dev/null
	@cmake --build --preset win32 -j $(JOBS)

fuzz-build: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS)

test-native: native
	ctest --preset native $(CTEST_FLAGS)

# GUI tests need an X server: a virtual one serves every win32 test.
test-win32: win32
	xvfb-run -a -s "-screen 0 1024x768x24" ctest --preset win32 $(CTEST_FLAGS)

# A few seconds of each fuzzer, registered as ctest tests of the fuzz build.
test-fuzz: fuzz-build
	ctest --test-dir build/fuzz $(CTEST_FLAGS)

test: test-native test-win32 test-fuzz

# Long fuzzing runs: FUZZ_SECONDS per target.
FUZZ_SECONDS ?= 600
fuzz: fuzz-build
	@bash scripts/fuzz-long.sh build/fuzz $(FUZZ_SECONDS)

bench: native
	@find build/native/bench -type f -name '*_bench' -executable | sort | while read -r b; do "$$b"; done

dist: native win32
	@rm -rf dist
	@cmake --install build/win32 --prefix dist/win32 >/dev/null
	@cmake --install build/native --prefix dist/linux >/dev/null
	@find dist -type f | sort

run: dist
	@bash scripts/run.sh

clean:
	rm -rf build dist
