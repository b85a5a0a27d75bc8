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
