#!/usr/bin/env bash
# Cross-compiles the Windows program with MinGW-w64 into build-windows/: one self-contained
# lerno_castelbrum_pusena.exe. Usage: windows.sh [more targets to build, e.g. prova_messaggio]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/installa_dipendenze.sh --windows
# (--no-warn-unused-cli: a build folder configured before takes the toolchain from its cache.)
# CMakeLists sets the release flags and leaves the tests out of a Windows build.
cmake -S . -B build-windows -G Ninja --no-warn-unused-cli \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
    -DSCENARIO_WERROR=ON >/dev/null
cmake --build build-windows -j2 --target lerno_castelbrum_pusena "$@"
echo "Il programma per Windows: $(pwd)/build-windows/lerno_castelbrum_pusena.exe"
