#!/usr/bin/env bash
# The whole project a second time, built by clang with AddressSanitizer and
# UndefinedBehaviorSanitizer (the asan preset: any report ends its program, so the test
# fails), its whole test suite run in it; then every fuzz target (libFuzzer) for
# FUZZ_SECONDS each (12). Expects what scripts/install-deps.sh --all installs.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan
scripts/fuzz.sh build-asan "${FUZZ_SECONDS:-12}"
