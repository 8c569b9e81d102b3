# Quick start: `make demo` and `make test`.
BUILD      ?= build-release
TEST_BUILD ?= build-asan
JOBS       ?= 2

.PHONY: all build demo test test-deps bench fuzz install clean

all: build

# The release build is profile-guided: an instrumented build runs a training
# workload (scripts/pgo-train.sh), and the release build is optimised with
# what it recorded.
PGO_BUILD ?= build-pgo
build:
	@cmake -S . -B $(PGO_BUILD) -DCMAKE_BUILD_TYPE=Release -DTOBRA_TESTS=OFF -DTOBRA_PGO=generate \
	    -DTOBRA_PGO_DIR=$(abspath $(PGO_BUILD))/profile > /dev/null
	@cmake --build $(PGO_BUILD) -j $(JOBS) --target tobra
	@rm -rf $(PGO_BUILD)/profile
	@./scripts/pgo-train.sh $(PGO_BUILD)/tobra $(PGO_BUILD)/train || \
	    echo "(the training run failed: the release build goes on with what profiles there are)"
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DTOBRA_TESTS=OFF -DTOBRA_PGO=use \
	    -DTOBRA_PGO_DIR=$(abspath $(PGO_BUILD))/profile > /dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target tobra

# Builds tobra, assembles the hello example, shows its S-records and, when QEMU
# is installed, runs the binary image on an emulated ColdFire board.
demo:
	@echo "--- building tobra (release, profile-guided)"
	@$(MAKE) --no-print-directory build > /dev/null
	@cd examples && ../$(BUILD)/tobra hello.s
	@echo "--- S-records of examples/hello.s:"
	@cat examples/hello.o
	@cd examples && ../$(BUILD)/tobra -q -b hello.s
	@if command -v qemu-system-m68k > /dev/null; then \
	  echo "--- running the image on an emulated MCF5208EVB board:"; \
	  ./tests/emulator/run_qemu.sh examples/hello.o 'Hello' 20; \
	else echo "(install qemu-system-misc to run it on an emulated board)"; fi
	@rm -f examples/hello.o

test-deps:
	@./scripts/install-test-deps.sh

# Every test, in a build with AddressSanitizer and UndefinedBehaviorSanitizer;
# then the end-to-end cases and the examples again against the release
# (profile-guided) binary that users get.
test: test-deps
	@cmake -S . -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTOBRA_SANITIZE=ON > /dev/null
	@cmake --build $(TEST_BUILD) -j $(JOBS)
	@cd $(TEST_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory build > /dev/null
	@./scripts/test-release.sh $(abspath $(BUILD))/tobra $(abspath $(TEST_BUILD)) $(CURDIR)

# Release build against the GNU m68k assembler on generated sources (see tools/bench);
# then the language server's time from an edit to its diagnostics.
# BASELINE=path/to/an/older/tobra takes turns with it for a before-and-after table.
bench: build
	@command -v m68k-linux-gnu-as > /dev/null || ./scripts/install-test-deps.sh
	@python3 tools/bench/run_bench.py $(BUILD)/tobra $(BUILD)/bench $(if $(BASELINE),--baseline $(abspath $(BASELINE)))
	@cmake --build $(BUILD) -j $(JOBS) --target tobra-lsp
	@python3 tools/bench/lsp_bench.py $(BUILD)/tobra-lsp $(BUILD)/bench-lsp

# Each libFuzzer target of FUZZ_TARGETS runs for FUZZ_SECONDS (default 10
# minutes), one after the other, each with a corpus of its own; findings land
# in build-fuzz/findings/ named after the target; fuzz/tobra.dict gives the
# mutations the tokens of the language. fuzz_replay checks that
# pass 2 gives the same result from pass 1's line records as from the text.
FUZZ_SECONDS ?= 600
FUZZ_TARGETS ?= fuzz_assemble fuzz_replay
fuzz:
	@command -v clang++ > /dev/null || (echo "installing clang for the fuzzer" && apt-get install -y clang libclang-rt-14-dev > /dev/null)
	@cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOBRA_FUZZ=ON -DTOBRA_TESTS=OFF > /dev/null
	@cmake --build build-fuzz -j $(JOBS) --target $(FUZZ_TARGETS)
	@./fuzz/make_seeds.sh build-fuzz/seeds
	@set -e; for t in $(FUZZ_TARGETS); do \
	  mkdir -p build-fuzz/corpus/$$t build-fuzz/findings; \
	  echo "== $$t for $(FUZZ_SECONDS) s"; \
	  ./build-fuzz/$$t -max_total_time=$(FUZZ_SECONDS) -max_len=8192 -timeout=30 -rss_limit_mb=2048 \
	    -dict=fuzz/tobra.dict -artifact_prefix=build-fuzz/findings/$$t- -print_final_stats=1 build-fuzz/corpus/$$t build-fuzz/seeds; \
	done

PREFIX ?= /usr/local
install: build
	@cmake --build $(BUILD) -j $(JOBS)
	@cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD) $(PGO_BUILD) $(TEST_BUILD) build-fuzz
