#!/usr/bin/env bash
# Builds the Windows programs on Debian 12 (as root) with the MinGW-w64 cross compilers, one
# architecture to a folder: x86-64 (Windows Vista and later) into build-win/, i686 (Windows XP
# SP3 and later) into build-win-i686/. For each it makes the Wine prefix that runs its programs
# here (<folder>/wine-prefix, 32-bit for i686) and packs <folder>/tarvex-flash-<version>-windows-
# <x64|x86>.zip: the executables, the README, the licence, the rig format and the sample images.
# An optional first argument, x86-64 or i686, builds that architecture alone; the other
# arguments go to CMake.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
architectures=(x86-64 i686)
if [ $# -gt 0 ] && { [ "$1" = x86-64 ] || [ "$1" = i686 ]; }; then
    architectures=("$1")
    shift
fi
"$here/scripts/install-deps.sh" windows
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

for arch in "${architectures[@]}"; do
    if [ "$arch" = i686 ]; then
        dir=build-win-i686; toolchain=mingw-w64-i686.cmake; wine_arch=win32
    else
        dir=build-win; toolchain=mingw-w64-x86_64.cmake; wine_arch=win64
    fi
    # The prefix is made once, before anything runs in it; no Mono or Gecko installers, no
    # display.
    export WINEPREFIX="$here/$dir/wine-prefix"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        WINEARCH=$wine_arch "$here/cmake/wine-run" wineboot --init
        /usr/lib/wine/wineserver -w
    fi
    # There is no window manager: Wine draws the frames itself (Decorated), and no longer waits
    # 2 s at each window shown for a manager's answer that never comes (Managed).
    if ! grep -q '^"Managed"="N"' "$WINEPREFIX/user.reg"; then
        for value in Decorated Managed; do
            "$here/cmake/wine-run" reg add 'HKCU\Software\Wine\X11 Driver' /v "$value" \
                /t REG_SZ /d N /f >/dev/null
        done
        /usr/lib/wine/wineserver -w
    fi

    "$here/scripts/build.sh" "$dir" -DCMAKE_TOOLCHAIN_FILE="$here/cmake/$toolchain" \
        -DTARVEX_BUILD_UI=OFF -DTARVEX_BUILD_BENCH=OFF "$@"
    (cd "$here/$dir" && cpack -G ZIP >/dev/null)
    ls "$here/$dir"/tarvex-flash-*-windows-*.zip
done
