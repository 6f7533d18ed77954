#!/usr/bin/env bash
# The core, the command-line calculator and their tests on every toolchain, each from its
# CMake preset: Linux GCC (the build in build/), clang with libc++, Windows (MinGW-w64,
# tests under Wine) and WebAssembly (Emscripten, tests under node). Then the same numbers
# everywhere: calc_cases of every build runs the worked examples and ECD_CASES random
# cases per command in-process, and its output must be the Linux GCC build's, byte for
# byte; the real expansion-chamber-calc of every build runs the worked examples and
# ECD_PROGRAM_CASES cases per command against the same output (scripts/compare_calc.py).
# Expects what scripts/install-deps.sh installs. scripts/test.sh has built and tested
# build/ before (ECD_GCC_TESTED=1); alone, this script builds and tests it first.
# ECD_GCC_BUILD names another Linux GCC build to compare with.
set -euo pipefail
cd "$(dirname "$0")/.."
export NODE_PATH=/usr/share/nodejs # Emscripten's tools need node's acorn
cases=${ECD_CASES:-300}
program_cases=${ECD_PROGRAM_CASES:-10}
gcc=${ECD_GCC_BUILD:-build}
out=build-toolchains
mkdir -p "$out"
times=()
step() { printf -- '\n-- %s (%s)\n' "$1" "$(date +%T)"; }

# Builds and tests one preset. A test may skip itself only where the system has no German
# locale to show that numbers ignore it (Windows' C runtime); any other skip fails.
build_and_test() {
  local preset=$1 start=$SECONDS log=$out/$1.ctest.log
  step "$preset"
  cmake --preset "$preset" >"$out/$preset.configure.log" ||
    { cat "$out/$preset.configure.log"; exit 1; }
  cmake --build --preset "$preset"
  ctest --preset "$preset" --verbose >"$log" 2>&1 || {
    grep -E 'Failed|\*\*\*' "$log" | head -n 40; echo "$preset: tests failed, see $log" >&2
    exit 1
  }
  grep -E 'tests passed|\(Skipped\)' "$log"
  local skipped locale
  skipped=$(grep -c '(Skipped)' "$log" || true)
  locale=$(grep -c 'no locale' "$log" || true)
  if [ "$skipped" -gt "$locale" ]; then
    echo "$preset: a test skipped itself for another reason than a missing locale" >&2
    exit 1
  fi
  times+=("$preset $((SECONDS - start)) s")
}

start=$SECONDS
if [ "${ECD_GCC_TESTED:-0}" = 1 ]; then
  cmake --build "$gcc"
else
  step linux-gcc
  cmake --workflow --preset linux-gcc
fi
times+=("linux-gcc $((SECONDS - start)) s")

build_and_test linux-clang-libcxx
build_and_test windows-mingw
build_and_test wasm
grep 'one design from JavaScript' "$out/wasm.ctest.log" | sed 's/^[0-9]*: /  /'
echo "  $(stat -c %s build-wasm/bin/ecd-core.wasm) bytes build-wasm/bin/ecd-core.wasm," \
  "$(stat -c %s build-wasm/bin/ecd-core.js) bytes ecd-core.js"

step "The same output from every toolchain"
start=$SECONDS
"$gcc/bin/calc_cases" "$out/linux-gcc.jsonl" "$cases"
build-libcxx/bin/calc_cases "$out/linux-clang-libcxx.jsonl" "$cases"
cmake/wine-run.sh build-mingw/bin/calc_cases.exe "$out/windows-mingw.jsonl" "$cases"
node build-wasm/bin/calc_cases.js "$out/wasm.jsonl" "$cases"
for preset in linux-clang-libcxx windows-mingw wasm; do
  cmp "$out/linux-gcc.jsonl" "$out/$preset.jsonl" ||
    { echo "calc_cases of $preset differs from Linux GCC's" >&2; exit 1; }
  echo "  $preset: $(wc -l <"$out/$preset.jsonl") cases identical to Linux GCC's" \
    "($(cut -d'"' -f4 "$out/$preset.jsonl" | sort | uniq -c | awk '{printf "%s%s %s", s, $2, $1; s=", "}'))"
done
python3 scripts/compare_calc.py "$out/linux-gcc.jsonl" "$program_cases" \
  "linux-gcc=$gcc/bin/expansion-chamber-calc" \
  "linux-clang-libcxx=build-libcxx/bin/expansion-chamber-calc" \
  "windows-mingw=cmake/wine-run.sh build-mingw/bin/expansion-chamber-calc.exe" \
  "wasm=node build-wasm/bin/expansion-chamber-calc.js"
times+=("comparison $((SECONDS - start)) s")

step "Time per toolchain"
printf '  %s\n' "${times[@]}"
