#!/usr/bin/env bash
# Builds the Debian package and checks it:
#   scripts/package.sh            -> build-pkg/expansion-chamber-design-utility_VERSION_ARCH.deb
#   scripts/package.sh --system   the same, then installs it with apt-get, checks the installed
#                                 program and removes it again (needs root or sudo)
# The build is a release build with Debian's hardening flags (dpkg-buildflags) in build-pkg;
# CPack makes the package from the install rules and asks dpkg-shlibdeps for the
# dependencies. The checks: lintian (no error; a warning only when the README's "Packaging"
# section explains its tag), then the package unpacked into a throwaway folder and
# packaging/tests/check_installed.sh run there (the programs, the desktop files and their
# validators, the manual pages, the completion). It first installs what is missing
# (scripts/install-deps.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=build-pkg
system=false
[ "${1:-}" = --system ] && system=true
started=$(date +%s)

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
  -DECD_BUILD_BENCHMARK=OFF \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build" -j 2
rm -f "$build"/*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/*.deb)
version=$(dpkg-deb -f "$deb" Version)
echo "== $deb ($(du -k "$deb" | cut -f1) kB)"
dpkg-deb -f "$deb" Package Version Architecture Installed-Size Depends Section

echo "== lintian"
lintian --tag-display-limit 0 "$deb" | tee "$build/lintian.log" || true
grep -q '^E: ' "$build/lintian.log" && { echo "lintian reports errors" >&2; exit 1; }
explained=$(sed -n '/^## Packaging/,/^## [^P]/p' README.md)
unexplained=$(sed -n 's/^W: [^ ]*: \([^ ]*\).*/\1/p' "$build/lintian.log" | sort -u |
  while read -r tag; do grep -q -- "$tag" <<<"$explained" || echo "$tag"; done)
if [ -n "$unexplained" ]; then
  echo "lintian warnings that the README's Packaging section does not explain: $unexplained" >&2
  exit 1
fi

echo "== The package unpacked into a throwaway folder"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
packaging/tests/check_installed.sh "$root/usr" "$version" .

if $system; then
  echo "== Installed with apt-get, then removed"
  packaging/tests/check_system_install.sh "$deb"
fi
echo "== Done in $(($(date +%s) - started)) s"
