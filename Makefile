# Quick start: `make demo` and `make test`.
BUILD      ?= build
TEST_BUILD ?= build-asan
JOBS       ?= 2

.PHONY: all build demo test test-deps bench clean

all: build

build:
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DTOBRA_TESTS=OFF > /dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target tobra

# Builds tobra, assembles an example and shows the S-records it wrote.
demo: build
	@cd examples && ../$(BUILD)/tobra demo.s
	@echo "--- examples/demo.o:"
	@cat examples/demo.o

test-deps:
	@./scripts/install-test-deps.sh

# Every test, in a build with AddressSanitizer and UndefinedBehaviorSanitizer.
test: test-deps
	@cmake -S . -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTOBRA_SANITIZE=ON > /dev/null
	@cmake --build $(TEST_BUILD) -j $(JOBS)
	@cd $(TEST_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j $(JOBS)

# Release build against the GNU m68k assembler on generated sources (see tools/bench).
bench: build
	@command -v m68k-linux-gnu-as > /dev/null || ./scripts/install-test-deps.sh
	@python3 tools/bench/run_bench.py $(BUILD)/tobra $(BUILD)/bench

clean:
	rm -rf $(BUILD) $(TEST_BUILD)
