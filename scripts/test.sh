#!/usr/bin/env bash
# The test suite: installs what it needs, builds everything with GCC into build/ and runs
# every ctest test (windows headless). About five minutes from a fresh clone.
#   scripts/test.sh          the suite
#   scripts/test.sh --all    then every other stage: the Debian package with its checks,
#                            the suite again under AddressSanitizer and UndefinedBehavior-
#                            Sanitizer with every fuzz target for 8 seconds, the web edition
#                            in headless Chromium, the core on three more toolchains
# One group of the suite: ctest --test-dir build -L core (or cli, files, patterns,
# windows, fuzz, package, source). A test that skips itself because an outside tool is
# missing fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
all=false
case "${1:-}" in
"") ;;
--all) all=true ;;
*)
  echo "usage: scripts/test.sh [--all]" >&2
  exit 64
  ;;
esac
stage() { printf '\n== %s (%s)\n' "$1" "$(date +%T)"; }

stage "Installing what is missing"
if $all; then scripts/install-deps.sh --all; else scripts/install-deps.sh --test; fi

stage "Building and testing with GCC"
cmake --preset linux-gcc >/dev/null
cmake --build --preset linux-gcc
log=build/ctest.log
ctest --preset linux-gcc | tee "$log"
if grep -q '(Skipped)' "$log"; then
  echo "Some tests were skipped (see the reasons above); every tool they need must be installed." >&2
  exit 1
fi
$all || exit 0

stage "Debian package: built, checked by lintian, unpacked and run"
scripts/package.sh

stage "Sanitizers and fuzzing"
scripts/sanitize.sh

stage "Web edition: the site in headless Chromium against the command line"
scripts/web_test.sh

stage "Other toolchains: clang with libc++, Windows (MinGW-w64, Wine), WebAssembly (node)"
ECD_GCC_TESTED=1 scripts/toolchains.sh

stage "Done"
