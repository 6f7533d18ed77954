#!/usr/bin/env bash
# Runs every fuzz target of a build made with -DECD_BUILD_FUZZERS=ON for SECONDS each,
# starting from its seed corpus (fuzz/corpus/TARGET); what it finds new stays in
# build/fuzz-corpus, not in the repository. A crash or a failed property fails the run and
# leaves the input that shows it as crash-* in the build folder. The search starts from
# FUZZ_SEED (1), so that a run on the same commit explores the same inputs first; give
# another seed for a longer search by hand.
#   scripts/fuzz.sh BUILD_FOLDER [SECONDS]          e.g. FUZZ_SEED=7 scripts/fuzz.sh build-asan 600
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?build folder made with -DECD_BUILD_FUZZERS=ON}
seconds=${2:-20}
export ASAN_OPTIONS=${ASAN_OPTIONS:-halt_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
for program in "$build"/bin/fuzz_*; do
  target=${program##*/fuzz_}
  found="$build/fuzz-corpus/$target"
  mkdir -p "$found"
  printf '%-12s ' "$target"
  "$program" "$found" "fuzz/corpus/$target" -max_total_time="$seconds" -seed="${FUZZ_SEED:-1}" \
    -print_final_stats=1 \
    -artifact_prefix="$build/" >"$build/fuzz-$target.log" 2>&1 || {
    echo "FAILED"; tail -n 30 "$build/fuzz-$target.log"; exit 1; }
  grep -o 'number_of_executed_units: [0-9]*' "$build/fuzz-$target.log" | sed 's/.*: /executions: /'
done
