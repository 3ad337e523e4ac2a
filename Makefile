# The two commands of the README: `make run` and `make test`. Both install
# what they need first (scripts/install-deps.sh does nothing when all is there).
#
# Windows programs are tested under Wine. Where this machine runs 32-bit
# programs, the 32-bit build's suite runs under 32-bit Wine; where it cannot
# (scripts/host-runs-32bit.sh says why), the 64-bit build's suite runs under
# 64-bit Wine, the portable core's tests built with -m32 run under qemu-i386,
# and the 32-bit release files are checked statically. WINDOWS=win32 or
# WINDOWS=win64 forces a path; ORV_NO_32BIT=1 makes the probe answer "no".

JOBS ?= 2
export JOBS
WINDOWS ?= auto
MAKEFLAGS += --no-print-directory
# A test with no time limit of its own gets an hour: a hang fails, slowness does not.
CTEST_FLAGS ?= --output-on-failure --timeout 3600

.PHONY: all deps native native-references win32 win32-release win64 win64-release linux32 wasm fuzz-build test \
        test-plan wine-boot-win32 wine-boot-win64 test-native test-win32 test-win32-files \
        test-win32-files-build test-win64 test-linux32 test-fuzz test-sanitize memcheck check-native \
        check-memcheck check-linux32 check-sanitize check-fuzz check-win32 check-win64 check-win32-files \
        test-web check-web web-serve fuzz fuzz-seeds fuzz-agree soak bench dist run clean install deb \
        test-packaging check-packaging vm-prepare win32-vm-build check-win32-vm

all: native win32 win64

deps:
	@bash scripts/install-deps.sh --windows $(WINDOWS)

native win32 win64 linux32 wasm: deps
	@cmake --preset $@ >/dev/null
	@cmake --build --preset $@ -j $(JOBS)

# The first part of the native build: what the Windows suite compares with
# (vk6, the sample video and the video of every kind of copy).
native-references: deps
	@cmake --preset native >/dev/null
	@cmake --build --preset native -j $(JOBS) --target sample_video copy_video vk6

# Only the files that ship, with their release copies; the static checks look
# at the game's two, the tools' imports and the zip archive of all of them.
RELEASE_TARGETS ?= orvsetup VK6_640x16 vk6play vk6
win32-release win64-release: deps
	@cmake --preset $(@:-release=) >/dev/null
	@cmake --build --preset $(@:-release=) -j $(JOBS) --target $(RELEASE_TARGETS)

# Where the kernel refuses 32-bit programs: the virtual machine that runs them
# (scripts/in-vm.sh), made once, and the 32-bit programs of the tests
# labelled vm, which every make test runs in it (check-win32-vm).
VM_TARGETS ?= $(RELEASE_TARGETS) decoder_four_byte_stack_tests orvsetup_e2e_test orvane_game
vm-prepare: deps
	@bash scripts/in-vm.sh --prepare
win32-vm-build: deps
	@cmake --preset win32 >/dev/null
	@cmake --build --preset win32 -j $(JOBS) --target $(VM_TARGETS)
check-win32-vm:
	@bash scripts/wine-suite.sh win32 -L vm $(CTEST_FLAGS)

# The fuzzers, and every native test built with ASan and UBSan as well.
fuzz-build: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS)

test: deps
	@bash scripts/test.sh $(WINDOWS)

# make test's steps, in the order of its summary; scripts/test.sh runs them
# on the path TEST_PATH (win32 or win64), with TEST_VM=1 where the 32-bit
# files run in the virtual machine. A new suite is a check- target and a line.
#   build LABEL TARGET            the builds, made one after the other in this order
#   lane NAME nice|full           a lane: its steps one after the other, the lanes
#                                 side by side (nice: below the builds' priority)
#   warm LANE TARGET              at the lane's start, its result ignored
#   setup LANE LABEL TARGET [WHY] at the lane's start; if it fails the lane's suites
#                                 fail, or with the file WHY they are not run, for
#                                 the reason in it (a package mirror's bad day)
#   suite LANE LABEL TARGET BUILD...  once the builds are made
TEST_PATH ?= win32
TEST_VM ?= 0
test-plan:
	@echo "build build-native-refs native-references"
	@echo "build build-$(TEST_PATH) $(TEST_PATH)"
	@echo "build build-fuzz fuzz-build"
	@echo "build build-native native"
ifeq ($(TEST_PATH),win64)
	@echo "build build-linux32 linux32"
	@echo "build build-win32-files test-win32-files-build"
ifeq ($(TEST_VM),1)
	@echo "build build-win32-vm win32-vm-build"
endif
endif
	@echo "build build-wasm wasm"
	@echo "lane windows full"
ifeq ($(TEST_PATH)$(TEST_VM),win321)
	@echo "setup windows build-vm vm-prepare build/vm/unavailable"
else
	@echo "warm windows wine-boot-$(TEST_PATH)"
endif
	@echo "suite windows $(TEST_PATH)-Wine check-$(TEST_PATH) build-$(TEST_PATH) build-native-refs"
	@echo "lane native nice"
	@echo "suite native native check-native build-native"
	@echo "suite native memcheck check-memcheck build-native"
	@echo "suite native web-Chromium check-web build-wasm build-native"
	@echo "suite native packaging test-packaging build-wasm build-native"
	@echo "lane fuzz nice"
	@echo "suite fuzz sanitizers check-sanitize build-fuzz"
	@echo "suite fuzz fuzz-smoke check-fuzz build-fuzz"
ifeq ($(TEST_PATH),win64)
	@echo "lane linux32 nice"
	@echo "suite linux32 linux32-qemu check-linux32 build-linux32"
	@echo "suite linux32 win32-files check-win32-files build-win32-files"
ifeq ($(TEST_VM),1)
	@echo "lane vm nice"
	@echo "setup vm build-vm vm-prepare build/vm/unavailable"
	@echo "suite vm win32-vm check-win32-vm build-win32-vm build-native-refs"
endif
endif
# Wine makes its prefix while the compilers work.
wine-boot-win32 wine-boot-win64: wine-boot-%:
	-@bash scripts/wine-run.sh --boot $* >/dev/null 2>&1

# Each suite is its build and its tests; make test builds and tests side by
# side (scripts/test.sh), through the check-* targets, which only run tests.
test-native: native
	@$(MAKE) check-native
# The Windows suite's player test compares with the native build's decode.
test-win32 test-win64: test-%: % native-references
	@$(MAKE) check-$*
test-linux32: linux32
	@$(MAKE) check-linux32
test-win32-files: test-win32-files-build
	@$(MAKE) check-win32-files
test-win32-files-build:
	@$(MAKE) win32-release
# The web player in headless Chromium, against the native build's decode.
test-web: wasm native
	@$(MAKE) check-web
check-web:
	ctest --preset wasm $(CTEST_FLAGS)
# A fixed number of inputs through each fuzzer, registered as ctest tests of
# the fuzz build.
test-fuzz: fuzz-build
	@$(MAKE) check-fuzz
# The native tests in the fuzz build: any sanitizer finding, a leak included,
# fails the test, also in a tool the test runs (the sanitize test preset makes
# a finding exit with 86, never an exit code a test expects).
test-sanitize: fuzz-build
	@$(MAKE) check-sanitize
# The native build's tests of the headless platform and session and of the
# decoder once more under Valgrind's memcheck (the memcheck test preset).
memcheck: native
	@$(MAKE) check-memcheck

check-native check-memcheck check-linux32 check-sanitize check-fuzz: check-%:
	ctest --preset $* -j $(JOBS) $(CTEST_FLAGS)
# Window tests need an X server and share Wine prefixes: one at a time
# (scripts/wine-suite.sh, which takes the 32-bit suite into the virtual
# machine where the kernel refuses 32-bit programs).
check-win32 check-win64: check-%:
	@bash scripts/wine-suite.sh $* $(CTEST_FLAGS)
check-win32-files:
	ctest --preset win32 -L static $(CTEST_FLAGS)

# Long fuzzing runs: FUZZ_SECONDS per target.
FUZZ_SECONDS ?= 600
fuzz: fuzz-build
	@bash scripts/fuzz-long.sh build/fuzz $(FUZZ_SECONDS)

# After make fuzz: the grown corpora minimised into the seeds in fuzz/*/corpus,
# and the grown decoder corpus replayed through a 64-bit and a 32-bit build.
fuzz-seeds: fuzz-build native
	@bash scripts/fuzz-seeds.sh
fuzz-agree: native
	@bash scripts/fuzz-agree.sh $(WINDOWS)

# The setup window under Wine for SOAK_SECONDS, driven without pause, its
# memory and handles sampled each minute; not part of make test, which runs
# its warm-up and a minute of it.
SOAK_SECONDS ?= 600
soak: deps
	@SOAK_SECONDS=$(SOAK_SECONDS) bash scripts/soak.sh $(WINDOWS)

bench:
	@bash scripts/install-deps.sh --bench --windows $(WINDOWS)
	@bash scripts/bench.sh $(WINDOWS)

dist: native win32-release win64-release wasm
	@rm -rf dist
	@cmake --install build/win32 --prefix dist/win32 >/dev/null
	@cmake --install build/win64 --prefix dist/win64 >/dev/null
	@cmake --install build/native --prefix dist/linux >/dev/null
	@bash scripts/web-layout.sh dist/web build/wasm/web build/native/sample/intro.xqm
	@bash scripts/windows-archive.sh dist/win32 dist/orvane-win32.zip
	@bash scripts/windows-archive.sh dist/win64 dist/orvane-win64.zip
	@find dist -type f | sort

# The library, the tools, the GStreamer plugin and the web player into
# PREFIX (DESTDIR before it, for a staged install), in GNU's folders.
PREFIX ?= /usr/local
install: deps
	@cmake --preset native -B build/install -DCMAKE_INSTALL_PREFIX=$(PREFIX) >/dev/null
	@cmake --build build/install -j $(JOBS)
	@$(MAKE) wasm
	@cmake --install build/install

# The Debian package of the same, for /usr: build/deb/orvane_<version>_amd64.deb.
deb: deps wasm
	@cmake --preset deb >/dev/null
	@cmake --build --preset deb -j $(JOBS)
	@cd build/deb && cpack -G DEB >/dev/null
	@ls build/deb/*.deb

# make install into a DESTDIR, and the package installed and removed.
test-packaging: native deb
	@$(MAKE) check-packaging
check-packaging:
	ctest --preset packaging $(CTEST_FLAGS)

# The web player with the sample video on http://127.0.0.1:$(WEB_PORT)/ for a
# look (?src=intro.xqm plays it at once).
WEB_PORT ?= 8080
web-serve: wasm native
	@bash scripts/web-layout.sh build/web-site build/wasm/web build/native/sample/intro.xqm
	@echo "serving the web player on http://127.0.0.1:$(WEB_PORT)/?src=intro.xqm (Ctrl-C stops)"
	@/usr/bin/python3 -m http.server --bind 127.0.0.1 --directory build/web-site $(WEB_PORT)

run: dist
	@bash scripts/run.sh $(WINDOWS)

clean:
	rm -rf build dist
