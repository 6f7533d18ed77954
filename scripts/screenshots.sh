#!/usr/bin/env bash
# Takes the screenshots under docs/screenshots (the AppStream metainfo shows them) from
# the program's own windows on an X server of its own (Xvfb), and builds what it needs
# into build-pkg (or the folder given).
#   scripts/screenshots.sh [BUILD_FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-pkg}
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j 2 --target ecd_take_screenshots
mkdir -p docs/screenshots
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$build/packaging/ecd_take_screenshots" docs/screenshots
ls -l docs/screenshots
