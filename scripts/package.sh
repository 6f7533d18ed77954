#!/usr/bin/env bash
# Builds the Debian package and checks it:
#   scripts/package.sh            -> build-pkg/expansion-chamber-design-utility_VERSION_ARCH.deb
#   scripts/package.sh --system   the same, then installs it with apt-get, checks the installed
#                                 program and removes it again (needs root or sudo)
# The build is a release build with Debian's hardening flags (dpkg-buildflags) in build-pkg;
# CPack makes the package from the install rules and asks dpkg-shlibdeps for the
# dependencies. The checks: lintian (no error; no warning but those packaging/debian/
# lintian-overrides accepts, each with its reason), then the package unpacked into a throwaway folder and
# packaging/tests/check_installed.sh run there (the programs, the desktop files and their
# validators, the manual pages, the completion). It first installs what is missing
# (scripts/install-deps.sh --all).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --all
build=build-pkg
system=false
[ "${1:-}" = --system ] && system=true
started=$(date +%s)

# The package preset; CMake takes its first flags from the environment.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  LDFLAGS="$(dpkg-buildflags --get LDFLAGS)" cmake --preset package >/dev/null
cmake --build --preset package
rm -f "$build"/*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/*.deb)
version=$(dpkg-deb -f "$deb" Version)
echo "== $deb ($(du -k "$deb" | cut -f1) kB)"
dpkg-deb -f "$deb" Package Version Architecture Installed-Size Depends Section

echo "== lintian"
lintian --tag-display-limit 0 "$deb" | tee "$build/lintian.log" || true
if grep -q '^[EW]: ' "$build/lintian.log"; then
  echo "lintian reports errors or warnings that packaging/debian/lintian-overrides does not accept" >&2
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
