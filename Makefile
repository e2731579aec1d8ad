# Two commands set everything up on Debian 12:
#   make run    build Trinumero.exe and start it under Wine
#   make test   build every preset and run every test
# Both first install the Debian packages that are missing.

CMAKE ?= cmake
CTEST ?= ctest

.PHONY: all run test deps build-native build-win64 build-win32 test-native test-win64 fuzz fuzz-smoke bench clean

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

test: deps
	$(MAKE) --no-print-directory test-native test-win64 build-win32 fuzz-smoke

# A short, bounded fuzz run is part of make test (20 s for all targets); make fuzz runs each
# target ten million times, within at most two hours each (the settings format target, on
# inputs up to 4 KB, needs over an hour on two cores).
fuzz-smoke: deps
	./scripts/run-fuzz.sh 20

fuzz: deps
	./scripts/run-fuzz.sh 14400 10000000

run: build-win64
	./scripts/run.sh out/build/win64

bench: build-native
	./out/build/native/bench/engine_bench --benchmark_min_time=0.2

clean:
	rm -rf out
