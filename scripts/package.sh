#!/usr/bin/env bash
# Builds the Debian package on Debian 12 (as root) and checks it:
# build-package/tarvex-flash_<version>_<arch>.deb, then desktop-file-validate and lintian.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
# dpkg-shlibdeps (dpkg-dev) and file compute the dependencies; the rest check the result.
"$here/scripts/install-deps.sh" dpkg-dev file lintian desktop-file-utils

# Debian's own compiler and linker hardening, as a Debian build of the package would have it.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
export CXXFLAGS LDFLAGS
"$here/scripts/build.sh" build-package -DTARVEX_WERROR=OFF -DTARVEX_BUILD_UI=ON \
    -DTARVEX_BUILD_TESTS=OFF -DTARVEX_BUILD_BENCH=OFF

cd "$here/build-package"
rm -f tarvex-flash_*.deb
cpack -G DEB >/dev/null
deb=$(echo tarvex-flash_*.deb)
desktop-file-validate "$here/packaging/tarvex-flash.desktop"
lintian "$deb"
echo "Made $here/build-package/$deb"
