#!/usr/bin/env bash
# Cross-compiles the Windows program with MinGW-w64 into build-windows/: a self-contained
# lerno_castelbrum_pusena.exe and, beside it, scenario-tool.exe for the authors.
# Usage: windows.sh [more targets to build, e.g. prova_messaggio]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/installa_dipendenze.sh --windows
# (--no-warn-unused-cli: a build folder configured before takes the toolchain from its cache.)
# CMakeLists sets the release flags and leaves the tests out of a Windows build.
cmake -S . -B build-windows -G Ninja --no-warn-unused-cli \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
    -DSCENARIO_WERROR=ON >/dev/null
cmake --build build-windows -j2 --target lerno_castelbrum_pusena scenario-tool "$@"
echo "Il programma per Windows: $(pwd)/build-windows/lerno_castelbrum_pusena.exe"
echo "Lo strumento per Windows: $(pwd)/build-windows/scenario-tool.exe"
