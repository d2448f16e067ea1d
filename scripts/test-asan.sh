#!/usr/bin/env bash
# Builds the asan preset (AddressSanitizer and UndefinedBehaviorSanitizer, Debug; no benchmarks,
# which only cost build time here) into build/asan and runs every test in it, GUI tests
# offscreen. A sanitizer finding stops the program and so fails its test.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset asan -DVELUTRA_BUILD_BENCH=OFF >/dev/null
cmake --build build/asan
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="${ASAN_OPTIONS:-abort_on_error=0:detect_stack_use_after_return=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
ctest --test-dir build/asan --output-on-failure -j "$(nproc)"
