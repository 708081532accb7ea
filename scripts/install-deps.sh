#!/usr/bin/env bash
# Installs the Debian packages the project builds and tests with (Debian 12, as root), and any
# further packages named as arguments; the argument fuzz adds clang and its libFuzzer runtime,
# windows the MinGW-w64 cross compilers (x86-64, and i686 with the win32 thread model, whose
# runtime imports nothing Windows XP lacks), 64-bit and 32-bit Wine and a virtual display.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev libgl-dev fonts-dejavu-core
    nlohmann-json3-dev libcli11-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    desktop-file-utils
)
for extra in "$@"; do
    if [ "$extra" = fuzz ]; then
        packages+=(clang libclang-rt-14-dev)
    elif [ "$extra" = windows ]; then
        packages+=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-win32 wine64 wine32:i386 xvfb
            xauth)
    else
        packages+=("$extra")
    fi
done

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    # 32-bit Wine comes from Debian's i386 architecture beside the machine's own.
    if printf '%s\n' "${missing[@]}" | grep -q ':i386$' &&
        ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}"
fi
