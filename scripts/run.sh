#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds, and runs the utility on the built-in default rig.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh" build -DTARVEX_BUILD_TESTS=OFF -DTARVEX_BUILD_BENCH=OFF
exec "$here/build/cli/tarvex-flash-cli" list
