#!/usr/bin/env bash
# Installs, from Debian's packages, what is missing for one purpose, and nothing more:
#   scripts/install-deps.sh --run    build and run the program (scripts/run.sh)
#   scripts/install-deps.sh --test   also build and run the test suite (scripts/test.sh)
#   scripts/install-deps.sh --all    also every other stage: the Debian package, sanitizers
#                                    and fuzzing, the web edition, the other toolchains
# Safe to run again: it does nothing when all is there. Uses sudo when not run as root.
set -euo pipefail

run=(build-essential cmake ninja-build pkg-config qt6-base-dev qt6-svg-dev libgl-dev
  libcli11-dev nlohmann-json3-dev libfast-float-dev fonts-liberation2)
# The suite: GoogleTest, the benchmark, dxflib and poppler to read the drawing files and
# PDFs back, a file system's append-only flag, a German locale (numbers must ignore it),
# and the installed program's checks (the window on Xvfb, the desktop files and databases,
# the manual pages, the completion).
test=(libgtest-dev libbenchmark-dev libdxflib-dev poppler-utils e2fsprogs locales xvfb xauth
  python3 desktop-file-utils appstream bash-completion man-db shared-mime-info xdg-utils
  libfile-mimeinfo-perl x11-utils libglib2.0-bin)
# The other stages: sanitizers and libFuzzer (clang), the package's lintian, the other
# toolchains (libc++, Windows under Wine, WebAssembly under node), the browser tests.
all=(clang libclang-rt-14-dev lintian googletest libc++-14-dev libc++abi-14-dev
  g++-mingw-w64-x86-64 wine64 emscripten nodejs chromium)

case "${1:-}" in
--run) packages=("${run[@]}") ;;
--test) packages=("${run[@]}" "${test[@]}") ;;
--all) packages=("${run[@]}" "${test[@]}" "${all[@]}") ;;
*)
  echo "usage: scripts/install-deps.sh --run | --test | --all" >&2
  exit 64
  ;;
esac

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The tests show that numbers ignore a locale with a decimal comma: they need one.
if [ "$1" != --run ] && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  $SUDO sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  $SUDO locale-gen >/dev/null
fi
