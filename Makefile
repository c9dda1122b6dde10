# Two build trees from one source tree: native (portable code, tests, benchmarks, generators)
# and Windows (MinGW-w64 cross build, run under Wine in a private prefix).
BUILD   ?= build
NATIVE  := $(BUILD)/native
WIN     := $(BUILD)/win
JOBS    ?= $(shell nproc)
PREFIX  := $(abspath $(WIN))/wineprefix
WINERUN := cmake/wine-run.sh $(PREFIX)
FUZZ_SECONDS ?= 60
VERSION := $(shell grep -o -m1 'Trimwell VERSION [0-9]*\.[0-9]*\.[0-9]*' CMakeLists.txt | cut -d' ' -f3)
MAKEFLAGS += --no-print-directory

.PHONY: all deps native win test run asan fuzz bench bench-startup bench-open bench-notice dist screenshots clean

all: win

deps:
	@scripts/ensure-deps.sh

native: deps
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

win: native
	@cmake -S . -B $(WIN) -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(abspath cmake/mingw-w64-x86_64.cmake) \
	  -DTRIMWELL_HOST_BUILD=$(abspath $(NATIVE)) >/dev/null
	@cmake --build $(WIN) -j $(JOBS)

# Both trees' tests in one CTest run, so its summary is the last thing printed.
test: win
	@printf 'subdirs("native")\nsubdirs("win")\n' > $(BUILD)/CTestTestfile.cmake
	@cd $(BUILD) && xvfb-run -a -s "-screen 0 1280x1024x24" ctest -j 2 --output-on-failure

run: win
	@scripts/run-demo.sh $(abspath $(WIN))

asan: deps
	@cmake -S . -B $(BUILD)/asan -DCMAKE_BUILD_TYPE=Debug -DTRIMWELL_SANITIZE=ON >/dev/null
	@cmake --build $(BUILD)/asan -j $(JOBS)
	@cd $(BUILD)/asan && ctest -j 2 --output-on-failure

fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B $(BUILD)/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRIMWELL_FUZZ=ON >/dev/null
	@cmake --build $(BUILD)/fuzz -j $(JOBS)
	@scripts/run-fuzzers.sh $(BUILD)/fuzz $(FUZZ_SECONDS)

bench: win
	@for b in $(NATIVE)/bin/bench_*; do echo "== $$b"; $$b; done
	@echo "== $(WIN)/bin/region_bench.exe (under Wine)"; $(WINERUN) $(WIN)/bin/region_bench.exe

# Start-up under Wine, the editor against a bare window program (not part of `make test`).
bench-startup: win
	@scripts/bench-startup.sh $(abspath $(WIN))

# Opening a 10 000-key aircraft file in the editor under Wine, beside the demo file.
bench-open: win
	@scripts/bench-open.sh $(abspath $(WIN))

# The editor's processor time while a two-second notice pauses, beside the wall time.
bench-notice: win
	@scripts/bench-notice.sh $(abspath $(WIN))

# What a Windows user downloads: $(BUILD)/dist/Trimwell-$(VERSION)-win64.zip.
dist: win
	@scripts/make-dist.sh $(abspath $(WIN)) $(abspath $(BUILD))/dist $(VERSION)

# The README's pictures of the main window and a notice, taken under Xvfb.
screenshots: win
	@scripts/screenshots.sh $(abspath $(WIN)) docs

clean:
	rm -rf $(BUILD)
