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

# Fuzzing with libFuzzer (clang): builds build/fuzz and runs every target for
# FUZZ_SECONDS (default 60) each; `make fuzz FUZZ_SECONDS=600` runs longer.
FUZZ_SECONDS ?= 60
.PHONY: fuzz
fuzz: deps
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

# The Debian package: an optimised tree of its own (build/package), built
# with Debian's hardening flags, packed by CPack and checked by lintian.
# scripts/try-package.sh then installs it, starts it and removes it again.
.PHONY: package
package:
	@scripts/install-deps.sh --package
	@export DEB_BUILD_MAINT_OPTIONS=hardening=+all; \
	 cmake --preset package \
	     -DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
	     -DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)" >/dev/null
	@cmake --build --preset package
	@cd build/package && cpack >/dev/null
	lintian --fail-on error --info build/package/zorudoza-zudizir-ivozudiro_*.deb
	@ls build/package/zorudoza-zudizir-ivozudiro_*.deb

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
