#!/usr/bin/env bash
# The whole project a second time, built by clang with AddressSanitizer and
# UndefinedBehaviorSanitizer (the asan preset: any report ends its program, so the test
# fails), its whole test suite run in it; then every fuzz target (libFuzzer) for
# FUZZ_SECONDS each (8). Built at -O1 with line tables only (-g1): the reports name file
# and line, and the build takes less of CI's time. Expects what scripts/install-deps.sh --all installs.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan
scripts/fuzz.sh build-asan "${FUZZ_SECONDS:-8}"
