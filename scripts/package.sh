#!/usr/bin/env bash
# Installs what is missing, builds, and makes the Debian package build/zelko6_<version>_amd64.deb
# with CPack (the libraries it depends on found by dpkg-shlibdeps), then checks it with lintian,
# pedantic tags included: an error or a warning fails, the rest is printed.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/build.sh"
cd "$root/build"
rm -f zelko6_*_amd64.deb
cpack -G DEB
deb=$(ls zelko6_*_amd64.deb)
lintian --pedantic --fail-on error,warning "$deb"
echo "package: $root/build/$deb"
