#!/usr/bin/env bash
# The web edition: builds the calculation core's JavaScript module with Emscripten's wasm
# preset (in build-wasm/, the build scripts/toolchains.sh tests; the preset compiles for
# size: -Os makes the module a fifth smaller with the same numbers, which the browser
# tests and the toolchain comparison check), puts the static site together in
# build-web/site and serves it on http://127.0.0.1:8080/ (ECD_WEB_PORT another port).
#   scripts/web.sh               build and serve
#   scripts/web.sh --build-only  build only (the browser tests serve it themselves)
set -euo pipefail
cd "$(dirname "$0")/.."
export NODE_PATH=/usr/share/nodejs # Emscripten's tools need node's acorn
build=build-wasm
site=build-web/site
mkdir -p build-web
cmake --preset wasm >build-web/configure.log 2>&1 || { cat build-web/configure.log; exit 1; }
cmake --build "$build" --target ecd_core_module
rm -rf "$site.new"
mkdir -p "$site.new"
cp web/index.html web/style.css web/app.js web/icon.svg web/manifest.webmanifest "$build/bin/ecd-core.js" "$build/bin/ecd-core.wasm" "$site.new/"
hash=$(cat "$site.new"/* | sha256sum | cut -c1-16)
sed "s/__SITE_HASH__/$hash/" web/sw.js >"$site.new/sw.js"
rm -rf "$site"
mv "$site.new" "$site"
echo "web: $site (.wasm $(stat -c %s "$site/ecd-core.wasm") bytes;" \
  "whole site gzip -9: $(for f in "$site"/*; do gzip -9c "$f" | wc -c; done | awk '{s+=$1} END {print s}') bytes)"
[ "${1:-}" = --build-only ] && exit 0
port=${ECD_WEB_PORT:-8080}
echo "Serving http://127.0.0.1:$port/ (Ctrl-C stops)"
exec python3 -m http.server --bind 127.0.0.1 --directory "$site" "$port"
