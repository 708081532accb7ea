#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds, and runs the utility on the built-in default rig:
# the window when a display is there, else the same job through the command line.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh" build -DTARVEX_WERROR=ON -DTARVEX_BUILD_UI=ON -DTARVEX_SANITIZE=OFF \
    -DTARVEX_BUILD_TESTS=OFF -DTARVEX_BUILD_BENCH=OFF

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$here/build/ui/tarvex-flash"
fi

cli="$here/build/cli/tarvex-flash-cli"
sample="$here/build/samples/sample-1C5D-0A12.rom"
echo "No display found: running the same job through tarvex-flash-cli instead."
# The default rig's chips persist here, so that verify sees what flash programmed.
export TARVEX_SIM_ROM_DIR="$here/build/default-rig"
mkdir -p "$TARVEX_SIM_ROM_DIR"
echo
echo "\$ tarvex-flash-cli list"
"$cli" list
echo
echo "\$ tarvex-flash-cli flash $sample -a 0"
"$cli" flash "$sample" -a 0
echo
echo "\$ tarvex-flash-cli verify $sample -a 0"
"$cli" verify "$sample" -a 0
