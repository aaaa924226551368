# The two set-up commands of the README, and the steps they are made of.
.PHONY: all deps build run test sanitize fuzz bench clean

all: build

deps:
	@scripts/install-deps

build: deps
	@cmake --preset default >/dev/null
	@cmake --build --preset default

run: build
	./build/zentor

test: build
	ctest --preset default

clean:
	rm -rf build build-sanitize
