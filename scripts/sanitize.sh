#!/usr/bin/env bash
# The whole project a second time, built by clang with AddressSanitizer and
# UndefinedBehaviorSanitizer (any report ends its program, so the test fails), its whole
# test suite run in it; then every fuzz target (libFuzzer) for FUZZ_SECONDS each (20).
# Expects what scripts/install-deps.sh installs.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-asan
sanitizers="-fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS="$sanitizers" -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" \
  -DECD_BUILD_FUZZERS=ON -DECD_BUILD_BENCHMARK=OFF >/dev/null
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cmake --build "$build" -j 2
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure -j 2

scripts/fuzz.sh "$build" "${FUZZ_SECONDS:-20}"
