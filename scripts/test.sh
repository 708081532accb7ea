#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds, and runs the whole test suite four times:
# a normal build, an AddressSanitizer + UndefinedBehaviorSanitizer build, and the Windows builds
# (x86-64 and i686) under Wine; then runs every fuzz target for a bounded time
# (TARVEX_FUZZ_SECONDS each, default 30).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"

# Each step's heading says how long the run has taken so far, to keep an eye on CI's time.
step() { echo "== $1 (at ${SECONDS} s)"; }

export QT_QPA_PLATFORM=offscreen
for variant in normal sanitize; do
    if [ "$variant" = normal ]; then
        dir=build; options=(-DTARVEX_SANITIZE=OFF -DTARVEX_BUILD_BENCH=ON)
    else
        dir=build-asan; options=(-DTARVEX_SANITIZE=ON -DTARVEX_BUILD_BENCH=OFF)
    fi
    step "$variant build"
    "$here/scripts/build.sh" "$dir" -DTARVEX_WERROR=ON -DTARVEX_BUILD_UI=ON -DTARVEX_BUILD_TESTS=ON \
        "${options[@]}"
    step "$variant tests"
    ctest --test-dir "$here/$dir" --output-on-failure -j "$(nproc)"
done
# Each Windows architecture once: x86-64 under 64-bit Wine, i686 under 32-bit Wine; each suite
# includes the check of the programs' imports against the oldest Windows they claim.
for arch in x86-64 i686; do
    step "windows $arch build"
    "$here/scripts/build-windows.sh" "$arch" -DTARVEX_WERROR=ON -DTARVEX_BUILD_TESTS=ON
    step "windows $arch tests (Wine)"
    "$here/scripts/test-windows.sh" "$arch"
done
step "fuzz targets"
"$here/scripts/fuzz.sh" "${TARVEX_FUZZ_SECONDS:-30}"
step "done"
