# Cross-compiles the 32-bit Windows programs (Windows XP SP3 and later) on Debian with MinGW-w64.
# The win32 thread model: its runtime uses Windows' own threads and imports nothing XP lacks,
# where the POSIX model's winpthreads imports GetTickCount64 (Vista). The runtime is linked
# statically, so each program is one .exe that runs on a bare Windows machine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Subsystem 5.01: the version Windows XP's loader accepts.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ \
-Wl,--major-subsystem-version,5,--minor-subsystem-version,1")

# What the programs import must be there on this Windows (tests/windows_imports).
set(TARVEX_WINDOWS_FLOOR xp-sp3 CACHE STRING "")
set(TARVEX_WINDOWS_MANIFEST_ARCH x86 CACHE STRING "")

# Programs built here run under 32-bit Wine, in a WINEARCH=win32 prefix: tests, test discovery
# and the sample image generator.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run)

# The header-only libraries come from Debian's native packages (see windows/).
set(nlohmann_json_DIR ${CMAKE_CURRENT_LIST_DIR}/windows CACHE PATH "")
set(CLI11_DIR ${CMAKE_CURRENT_LIST_DIR}/windows CACHE PATH "")
