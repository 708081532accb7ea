#!/usr/bin/env bash
# Builds the Windows programs on Debian 12 (as root) with the MinGW-w64 cross compiler into
# build-win/, makes the Wine prefix that runs them here (build-win/wine-prefix), and packs
# build-win/tarvex-flash-<version>-windows-x64.zip: the executables, the README, the licence,
# the rig format and the sample images. Extra arguments go to CMake.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh" windows

# The prefix is made once, before anything runs in it; no Mono or Gecko installers, no display.
export WINEPREFIX="$here/build-win/wine-prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    "$here/cmake/wine-run" wineboot --init
    /usr/lib/wine/wineserver -w
fi
# There is no window manager: Wine draws the frames itself (Decorated), and no longer waits 2 s
# at each window shown for a manager's answer that never comes (Managed).
if ! grep -q '^"Managed"="N"' "$WINEPREFIX/user.reg"; then
    for value in Decorated Managed; do
        "$here/cmake/wine-run" reg add 'HKCU\Software\Wine\X11 Driver' /v "$value" /t REG_SZ \
            /d N /f >/dev/null
    done
    /usr/lib/wine/wineserver -w
fi

"$here/scripts/build.sh" build-win -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" \
    -DTARVEX_BUILD_UI=OFF -DTARVEX_BUILD_BENCH=OFF "$@"
(cd "$here/build-win" && cpack -G ZIP >/dev/null)
ls "$here"/build-win/tarvex-flash-*-windows-x64.zip
