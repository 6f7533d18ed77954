#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the whole suite (windows
# headless), the Debian package with its checks (scripts/package.sh), the whole suite
# again under AddressSanitizer and UndefinedBehaviorSanitizer with every fuzz target run
# for 20 seconds, the web edition in headless Chromium (scripts/web_test.sh), then the core
# on the other toolchains with the same output from each (scripts/toolchains.sh). A test that skips itself because an outside tool is missing fails
# the run: every tool is installed here.
set -euo pipefail
cd "$(dirname "$0")/.."
stage() { printf '\n== %s (%s)\n' "$1" "$(date +%T)"; }

stage "Installing what is missing"
scripts/install-deps.sh

stage "Building and testing with GCC"
scripts/build.sh
log=build/ctest.log
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j 2 | tee "$log"
if grep -q '(Skipped)' "$log"; then
  echo "Some tests were skipped (see the reasons above); every tool they need must be installed." >&2
  exit 1
fi

stage "Debian package: built, checked by lintian, unpacked and run"
scripts/package.sh

stage "Sanitizers and fuzzing"
scripts/sanitize.sh

stage "Web edition: the site in headless Chromium against the command line"
scripts/web_test.sh

stage "Other toolchains: clang with libc++, Windows (MinGW-w64, Wine), WebAssembly (node)"
ECD_GCC_TESTED=1 scripts/toolchains.sh

stage "Done"
