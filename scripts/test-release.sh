#!/bin/sh
# Runs the end-to-end cases and the examples against the release binary that
# users get (the sanitizer build has run them already): optimisation must not
# change a byte or a message.
#   test-release.sh RELEASE_TOBRA TEST_BUILD_DIR SOURCE_DIR
tobra=$1
build=$2
src=$3
log=$(mktemp)
trap 'rm -f "$log"' EXIT
TOBRA_E2E_BIN=$tobra "$build/tests/e2e_tests" --gtest_brief=1 > "$log" 2>&1
e2e=$?
passed=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) test.*/\1/p' "$log")
failed=$(grep -c '^\[  FAILED  \] Cases/' "$log")
[ $e2e -ne 0 ] && [ "$failed" -eq 0 ] && failed=1
[ $e2e -ne 0 ] && cat "$log"
"$src/tests/examples/run_examples.sh" "$tobra" "$build/tobra-dump" "$src"
ex=$?
if [ $ex -eq 0 ]; then passed=$((${passed:-0} + 1)); else failed=$((${failed:-0} + 1)); fi
# Limits on memory: only the release binary runs under one.
"$src/tests/release/low_memory.sh" "$tobra" "$src"
mem=$?
if [ $mem -eq 0 ]; then passed=$((${passed:-0} + 1)); else failed=$((${failed:-0} + 1)); fi
echo "release binary: ${passed:-0} passed, ${failed:-0} failed"
[ $e2e -eq 0 ] && [ $ex -eq 0 ] && [ $mem -eq 0 ]
