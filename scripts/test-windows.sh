#!/usr/bin/env bash
# Runs the Windows build's suite (build-win/, made by scripts/build-windows.sh) under Wine, on a
# virtual display for the windows' tests. Extra arguments go to ctest.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="$here/build-win/wine-prefix"
export WINEDEBUG=-all
# Wine's first program of a session starts the session's own background programs, which keep
# the program's output open; started here, they hold /dev/null and not a test's output. The
# server then outlives each program by a while (cmake/wine-run), and goes at the end.
xvfb-run -a bash -c '
    "$0/cmake/wine-run" cmd /c ver </dev/null >/dev/null 2>&1
    status=0
    ctest --test-dir "$0/build-win" --output-on-failure -j "$(nproc)" "${@}" || status=$?
    /usr/lib/wine/wineserver -k || true
    exit $status' "$here" "$@"
