# The two commands a newcomer needs: `make run` and `make test`.
# Both install any missing Debian packages first.

.PHONY: all deps configure build run test clean

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
	ctest --preset default

clean:
	rm -rf build

# Fuzzing with libFuzzer (clang): builds build/fuzz and runs every target for
# FUZZ_SECONDS (default 60) each; `make fuzz FUZZ_SECONDS=600` runs longer.
FUZZ_SECONDS ?= 60
.PHONY: fuzz
fuzz: deps
	FUZZ_SECONDS=$(FUZZ_SECONDS) fuzz/run-fuzz.sh
