#!/usr/bin/env bash
# Installs what building and running the program needs, builds the program alone into
# build/ and starts it; arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --run
cmake --preset program >/dev/null
cmake --build --preset program
exec build/bin/expansion-chamber "$@"
