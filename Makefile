# Two commands set everything up on Debian 12:
#   make run    build Trinumero.exe and start it under Wine
#   make test   build every preset and run every test
# Both first install the Debian packages that are missing.

CMAKE ?= cmake
CTEST ?= ctest

# make run starts the x86_64 program; make run ARCH=win32 the i686 one.
ARCH ?= win64

.PHONY: all run test deps build-native build-native-asan build-native-debug build-fuzz \
	build-win64 build-win32 test-native test-native-asan test-native-debug test-win64 \
	test-win32 sizes package verify-release release-record fuzz fuzz-smoke bench clean

all: build-native build-win64 build-win32

deps:
	@./scripts/install-deps.sh

build-native: deps
	$(CMAKE) --preset native >/dev/null
	$(CMAKE) --build --preset native

build-native-asan: deps
	$(CMAKE) --preset native-asan >/dev/null
	$(CMAKE) --build --preset native-asan

# Unoptimised, with the standard library's assertions (the sanitizer build has them too).
build-native-debug: deps
	$(CMAKE) --preset native-debug >/dev/null
	$(CMAKE) --build --preset native-debug

build-fuzz: deps
	$(CMAKE) --preset fuzz >/dev/null
	$(CMAKE) --build --preset fuzz

build-win64: deps
	$(CMAKE) --preset win64 >/dev/null
	$(CMAKE) --build --preset win64

build-win32: deps
	$(CMAKE) --preset win32 >/dev/null
	$(CMAKE) --build --preset win32

# Each suite also writes its results as JUnit, for the summary at the end of make test.
RESULTS = $(CURDIR)/out/test-results
TEST_SUITES = native native-asan win64 win32 fuzz-smoke

test-native: build-native
	$(CTEST) --preset native --output-junit $(RESULTS)/native.xml

test-native-asan: build-native-asan
	$(CTEST) --preset native-asan --output-junit $(RESULTS)/native-asan.xml

test-native-debug: build-native-debug
	$(CTEST) --preset native-debug --output-junit $(RESULTS)/native-debug.xml

test-win64: build-win64
	$(CTEST) --preset win64 --output-junit $(RESULTS)/win64.xml

# Where this host cannot execute 32-bit programs, the i686 tests run in the emulated machine
# (scripts/i686-machine/), whose image is made first unless the cache holds it; its programs take
# five to nine times as long there, so each test may take up to 30 minutes.
test-win32: build-win32
	limit=; if ! scripts/host-runs-i386.sh; then \
		scripts/i686-machine/image.sh >/dev/null && limit="--timeout 1800" || exit 1; fi; \
	$(CTEST) --preset win32 --output-junit $(RESULTS)/win32.xml $$limit

# Every suite runs, also after one has failed; then the check of the sources (formatting, shell
# scripts, include circles: scripts/check-sources.sh), one line per build folder (passed, failed,
# skipped), a loud notice for an architecture whose programs could not run here, and the exit
# code: non-zero when anything failed.
test: deps
	@rm -rf $(RESULTS); status=0; \
	for suite in $(TEST_SUITES); do \
		$(MAKE) --no-print-directory $$(test $$suite = fuzz-smoke || echo test-)$$suite || status=1; \
	done; \
	$(MAKE) --no-print-directory sizes || status=1; \
	echo; echo "Test summary:"; \
	./scripts/check-sources.sh || status=1; \
	python3 scripts/test-summary.py $(RESULTS) $(TEST_SUITES) || status=1; \
	exit $$status

# The sizes of both programs (a test of each build fails past 72 KB).
sizes:
	@for arch in win64 win32; do \
		printf 'Trinumero.exe %s: %s bytes\n' $$arch $$(stat -c %s out/build/$$arch/app/Trinumero.exe); \
	done

# Release zips of both architectures, their checksums and the winget and Scoop manifests, in
# out/package; the same commit gives the same bytes. SIGN_CERT=cert.pem SIGN_KEY=key.pem signs
# both programs; RELEASE_BASE_URL=https://... is the folder the zips are downloaded from.
package: build-win64 build-win32
	SIGN_CERT='$(SIGN_CERT)' SIGN_KEY='$(SIGN_KEY)' RELEASE_BASE_URL='$(RELEASE_BASE_URL)' \
		./scripts/package.sh

# make verify-release INFO=release/<version>/BUILD-INFO (or a downloaded release's BUILD-INFO,
# with its zips beside it): builds the commit the release names in a temporary worktree and
# compares the zips; where they differ, names the tools that differ from the ones recorded.
verify-release: deps
	@test -n "$(INFO)" || { echo "usage: make verify-release INFO=<a release's BUILD-INFO>"; exit 2; }
	./scripts/verify-release.sh "$(INFO)"

# The record of this version's release, committed under release/<version>/: BUILD-INFO and
# SHA256SUMS of make package, from a work tree without uncommitted changes.
release-record: package
	@version=$$(sed -n 's/^version=//p' out/package/BUILD-INFO); \
	if grep -q '^commit=.*+modified' out/package/BUILD-INFO; then \
		echo "release-record: commit the changes first; the record must name a commit alone"; \
		exit 1; \
	fi; \
	mkdir -p release/$$version && cp out/package/BUILD-INFO out/package/SHA256SUMS release/$$version/ && \
	echo "Wrote release/$$version/BUILD-INFO and release/$$version/SHA256SUMS: commit them."

# A short fuzz run of each target is part of make test; make fuzz runs each ten million times.
fuzz-smoke: build-fuzz
	$(CTEST) --preset fuzz-smoke --output-junit $(RESULTS)/fuzz-smoke.xml

fuzz: build-fuzz
	$(CTEST) --preset fuzz

run: build-$(ARCH)
	./scripts/run.sh out/build/$(ARCH)

# The engine against the standard library (native), then start-up and keystroke latency of
# both Windows programs under Wine (the i686 one only where this host executes 32-bit programs:
# an emulated machine's times are not the program's).
bench: build-native build-win64 build-win32
	./out/build/native/bench/engine_bench --benchmark_min_time=0.2 --benchmark_repetitions=9 \
		--benchmark_enable_random_interleaving=true --benchmark_report_aggregates_only=true
	./scripts/bench-windows.sh out/build/win64
	./scripts/bench-windows.sh out/build/win32

clean:
	rm -rf out
