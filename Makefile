# Two commands set everything up on Debian 12:
#   make run    build Trinumero.exe and start it under Wine
#   make test   build every preset and run every test
# Both first install the Debian packages that are missing.

CMAKE ?= cmake
CTEST ?= ctest

# make run starts the x86_64 program; make run ARCH=win32 the i686 one.
ARCH ?= win64

.PHONY: all run test deps build-native build-win64 build-win32 test-native test-win64 test-win32 \
	package fuzz fuzz-smoke bench clean

all: build-native build-win64 build-win32

deps:
	@./scripts/install-deps.sh

build-native: deps
	$(CMAKE) --preset native >/dev/null
	$(CMAKE) --build --preset native

build-win64: deps
	$(CMAKE) --preset win64 >/dev/null
	$(CMAKE) --build --preset win64

build-win32: deps
	$(CMAKE) --preset win32 >/dev/null
	$(CMAKE) --build --preset win32

test-native: build-native
	$(CTEST) --preset native

test-win64: build-win64
	$(CTEST) --preset win64

test-win32: build-win32
	$(CTEST) --preset win32

test: deps
	$(MAKE) --no-print-directory test-native test-win64 test-win32 fuzz-smoke

# Release zips of both architectures and their checksums, in out/package.
package: build-win64 build-win32
	./scripts/package.sh

# A short, bounded fuzz run is part of make test (20 s for all targets); make fuzz runs each
# target ten million times, within at most an hour each.
fuzz-smoke: deps
	./scripts/run-fuzz.sh 20

fuzz: deps
	./scripts/run-fuzz.sh 7200 10000000

run: build-$(ARCH)
	./scripts/run.sh out/build/$(ARCH)

bench: build-native
	./out/build/native/bench/engine_bench --benchmark_min_time=0.2

clean:
	rm -rf out
