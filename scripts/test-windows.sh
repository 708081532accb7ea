#!/usr/bin/env bash
# Runs the Windows builds' suites (build-win/ for x86-64, build-win-i686/ for i686, made by
# scripts/build-windows.sh) under 64-bit and 32-bit Wine, on a virtual display for the windows'
# tests. An optional first argument, x86-64 or i686, runs that architecture's suite alone; the
# other arguments go to ctest.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
architectures=(x86-64 i686)
if [ $# -gt 0 ] && { [ "$1" = x86-64 ] || [ "$1" = i686 ]; }; then
    architectures=("$1")
    shift
fi
export WINEDEBUG=-all
status=0
for arch in "${architectures[@]}"; do
    dir=build-win
    [ "$arch" = i686 ] && dir=build-win-i686
    echo "-- $arch suite ($dir, $([ "$arch" = i686 ] && echo 32 || echo 64)-bit Wine)"
    # Wine's first program of a session starts the session's own background programs, which
    # keep the program's output open; started here, they hold /dev/null and not a test's
    # output. The server then outlives each program by a while (cmake/wine-run), and goes at
    # the end.
    WINEPREFIX="$here/$dir/wine-prefix" xvfb-run -a bash -c '
        "$0/cmake/wine-run" cmd /c ver </dev/null >/dev/null 2>&1
        status=0
        ctest --test-dir "$0/$1" --output-on-failure -j "$(nproc)" "${@:2}" || status=$?
        /usr/lib/wine/wineserver -k || true
        exit $status' "$here" "$dir" "$@" || status=$?
done
exit $status
