#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build, the program and the tests need
# and is not on the machine yet. Safe to run again: it does nothing when all is there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format
  qt6-base-dev qt6-svg-dev libgl-dev
  libgtest-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev libfast-float-dev
  clang libclang-rt-14-dev
  libdxflib-dev
  fonts-liberation2
  xvfb xauth imagemagick
  poppler-utils
  locales e2fsprogs
  # the Debian package and its checks (scripts/package.sh)
  python3 desktop-file-utils appstream lintian bash-completion man-db shared-mime-info
  xdg-utils libfile-mimeinfo-perl x11-utils libglib2.0-bin
  # the other toolchains (scripts/toolchains.sh): libc++, Windows under Wine, WebAssembly
  googletest libc++-14-dev libc++abi-14-dev g++-mingw-w64-x86-64 wine64 emscripten nodejs
  # the web edition's browser tests (scripts/web_test.sh)
  chromium
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

# A locale with a decimal comma, so the tests can show that numbers ignore the locale.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
  $SUDO locale-gen >/dev/null
fi
