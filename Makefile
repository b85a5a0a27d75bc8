# The two commands a newcomer needs: `make run` and `make test`.
# Both install any missing Debian packages first.

.PHONY: all deps configure build run test clean

# Tests run side by side, one a core.
JOBS ?= $(shell nproc)

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake --preset default >/dev/null

build: configure
	@cmake --build --preset default

run: build
	./build/default/src/zorudoza-zudizir-ivozudiro

test: build
	ctest --preset default -j $(JOBS)

clean:
	rm -rf build

# The whole suite again on Debian 13 (Qt 6.8, GCC 14) in a root of its own,
# build/debian13, made with debootstrap when it is missing and reused while
# it is there (`rm -rf build/debian13` starts afresh). This tree's files, as
# git lists them, are copied into /root/zorudoza-zudizir-ivozudiro there (a
# home folder of mode 0700, as a newcomer's clone) and `make test` runs in
# it as root, installing its packages with scripts/install-deps.sh.
# scripts/debian13-root.sh [--dir DIR] COMMAND runs any command in such a
# root (as root, with /proc, /sys and /dev mounted for the run only).
debian13_copy := /root/zorudoza-zudizir-ivozudiro
# A new root has no make: the one package a newcomer installs before `make test`.
debian13_make := command -v make >/dev/null || { apt-get update -qq \
    && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq make >/dev/null; }
.PHONY: test-debian13
test-debian13:
	@scripts/debian13-root.sh true
	@copy=build/debian13/root$(debian13_copy) && \
	 chmod 0700 build/debian13/root/root && mkdir -p "$$copy" && \
	 find "$$copy" -mindepth 1 -maxdepth 1 ! -name build -exec rm -rf {} + && \
	 git ls-files -z --cached --others --exclude-standard | \
	     tar --null --files-from=- --ignore-failed-read -cf - 2>/dev/null | tar -xf - -C "$$copy"
	scripts/debian13-root.sh sh -c '$(debian13_make) && cd $(debian13_copy) && make test'

# Fuzzing with libFuzzer (clang): builds build/fuzz and runs every target for
# FUZZ_SECONDS (default 60) each; `make fuzz FUZZ_SECONDS=600` runs longer.
FUZZ_SECONDS ?= 60
.PHONY: fuzz
fuzz:
	@scripts/install-deps.sh --fuzz
	FUZZ_SECONDS=$(FUZZ_SECONDS) fuzz/run-fuzz.sh

# Benchmarks: an optimised build with the helpers in build/bench, then one
# table of what the operator feels against a bare Qt window (about three
# minutes, under a private Xvfb). Not part of `make test`.
.PHONY: bench
bench: deps
	@cmake --preset bench >/dev/null
	@cmake --build --preset bench
	bench/run.sh build/bench

# The screenshots in docs/, from the real window under a private Xvfb.
.PHONY: screenshots
screenshots: deps
	@cmake --preset bench >/dev/null
	@cmake --build --preset bench --target zzi-bench
	scripts/screenshots.sh build/bench
	@if ls build/windows/zorudoza-zudizir-ivozudiro-*-windows-x64.zip >/dev/null 2>&1; then \
	    scripts/screenshot-windows.sh build/bench; \
	else echo "No Windows screenshot: make windows first."; fi

# Installs the program, its desktop entry and its icon under PREFIX
# (default /usr/local); `make install PREFIX=$HOME/.local` needs no root.
PREFIX ?= /usr/local
.PHONY: install
install: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release
	cmake --install build/release --prefix "$(PREFIX)"

# The whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer
# (build/sanitize); any finding fails its test.
.PHONY: check-sanitize
check-sanitize: deps
	@cmake --preset sanitize >/dev/null
	@cmake --build --preset sanitize
	ctest --preset sanitize -j $(JOBS)

# The Debian package for the release this runs on: an optimised tree of its
# own (build/package), built with Debian's hardening flags, packed by CPack
# and checked by lintian; its version names the release (1.0.0-1~deb12u1).
# scripts/try-package.sh then installs it, starts it and removes it again.
# `make package ARCH=arm64` (or armhf) cross-builds the same package for a
# Raspberry Pi in build/arm64 (build/armhf), with the toolchain in cmake/ and
# that architecture's Debian Qt, and the same flags for that architecture.
ARCH ?=
ifneq ($(filter-out arm64 armhf,$(ARCH)),)
$(error ARCH is arm64, armhf or empty (this machine's own), not '$(ARCH)')
endif
package_tree := $(if $(ARCH),$(ARCH),package)
.PHONY: package
package:
	@scripts/install-deps.sh --package $(if $(ARCH),--$(ARCH))
	@export DEB_BUILD_MAINT_OPTIONS=hardening=+all $(if $(ARCH),DEB_HOST_ARCH=$(ARCH)); \
	 cmake --preset $(package_tree) \
	     -DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
	     -DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)" >/dev/null
	@cmake --build --preset $(package_tree) $(if $(ARCH),--target zorudoza-zudizir-ivozudiro packaging_docs)
	@rm -f build/$(package_tree)/zorudoza-zudizir-ivozudiro_*.deb # one release's, one version's
	@cd build/$(package_tree) && cpack >/dev/null
	lintian --fail-on error,warning --info build/$(package_tree)/zorudoza-zudizir-ivozudiro_*.deb
	@ls build/$(package_tree)/zorudoza-zudizir-ivozudiro_*.deb

# `make in-debian13 GOALS="package ARCH=arm64"`: this tree copied into the
# Debian 13 root (scripts/debian13-root.sh, build/debian13) and make GOALS run
# there, so the packages for Debian 13 and today's Raspberry Pi OS are built
# against Debian 13's libraries; they stay in the root's copy, under
# build/debian13/root$(debian13_tree)/build.
debian13_tree := /root/zorudoza-zudizir-ivozudiro
GOALS ?= package
.PHONY: in-debian13
in-debian13:
	@scripts/debian13-root.sh true
	@mkdir -p build/debian13/root$(debian13_tree)
	@tar --exclude=./build --exclude=./.git -cf - . | tar -C build/debian13/root$(debian13_tree) -xf -
	@scripts/debian13-root.sh sh -c '$(debian13_make) && cd $(debian13_tree) && make $(GOALS)'

# Each amd64 package installed with apt into a pristine root of its release,
# the arm64 and armhf ones resolved in their release's package lists: this
# machine's package and those `make in-debian13` built (tests/install/pristine.sh).
.PHONY: test-install
test-install: package
	@ls build/debian13/root$(debian13_tree)/build/package/*~deb13u*_amd64.deb >/dev/null 2>&1 || \
	    { echo 'No Debian 13 package: make in-debian13 GOALS=package first.' >&2; exit 1; }
	tests/install/pristine.sh $(wildcard build/package/*~deb*_amd64.deb \
	    $(foreach tree,package arm64 armhf,build/debian13/root$(debian13_tree)/build/$(tree)/*~deb13u*.deb))

# The Raspberry Pi builds under QEMU: the package as above, the cross-built
# tests that open no window (with the package's file list and dependencies),
# then the native test_cli and test_blackbox driving the cross-built program
# under the emulator, on loopback sockets and a private Xvfb. Not the two
# copies started together: under QEMU /proc/PID/exe names the emulator, so
# one copy cannot tell that the other is the same program.
qemu_arm64 := qemu-aarch64-static
qemu_armhf := qemu-arm-static
emulated_blackbox := selectedRow_leftRightAndSpace_sendTheirLinesToTheRowsPort anyScreen_wholeWindowShowsAndSends:1280x1024 \
    ctrlR_switchesToEightReceiversAndBack numberAndPortBoxes_rejectThenAccept copyToRow_killedAndRestarted_rowIsBack
.PHONY: test-arm64 test-armhf
test-arm64 test-armhf: test-%: configure
	@cmake --build --preset default --target test_cli test_blackbox
	@$(MAKE) --no-print-directory package ARCH=$*
	@cmake --build --preset $*
	ctest --preset $*
	@mkdir -p build/$*/emulated && wrapper=build/$*/emulated/zorudoza-zudizir-ivozudiro && \
	 printf '#!/bin/sh\nexec %s -L / "%s" "$$@"\n' "$(qemu_$*)" "$(CURDIR)/build/$*/src/zorudoza-zudizir-ivozudiro" \
	     >"$$wrapper" && chmod +x "$$wrapper"
	@export ZZI_TEST_PROGRAM="$(CURDIR)/build/$*/emulated/zorudoza-zudizir-ivozudiro" \
	     QT_QPA_PLATFORM=offscreen QT_QPA_PLATFORMTHEME= LC_ALL=C.UTF-8; \
	 set -e; echo "test_cli and test_blackbox on the $* program under $(qemu_$*):"; \
	 build/default/tests/test_cli -silent; \
	 build/default/tests/test_blackbox -silent $(emulated_blackbox)

# The arm64 window under QEMU on a private Xvfb, for docs/.
.PHONY: screenshots-arm64
screenshots-arm64:
	@$(MAKE) --no-print-directory package ARCH=arm64
	scripts/screenshots-cross.sh "$(qemu_arm64) -L / build/arm64/src/zorudoza-zudizir-ivozudiro" arm64

# Windows: 64-bit executables cross-built with MinGW-w64 on Qt for Windows
# (QT_WINDOWS_PREFIX, else the archive in ../shared/qt-windows/ unpacked into
# build/ once), packed into a portable zip and an installer in build/windows.
.PHONY: windows test-windows
windows:
	@scripts/install-deps.sh --windows
	@qt=$$(scripts/windows-qt.sh) && cmake --preset windows -DQT_WINDOWS_PREFIX="$$qt" >/dev/null
	@cmake --build --preset windows
	@cd build/windows && cpack >/dev/null
	@ls -l build/windows/zorudoza-zudizir-ivozudiro-*-windows-x64.zip \
	       build/windows/zorudoza-zudizir-ivozudiro-*-windows-x64-setup.exe

# The Windows build under Wine, in a fresh prefix on a private Xvfb, with
# the Linux build's tests driving it.
test-windows: windows configure
	@cmake --build --preset default --target test_blackbox test_cli
	tests/windows/run.sh
