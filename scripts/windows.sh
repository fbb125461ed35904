#!/usr/bin/env bash
# Cross-compiles the Windows program with MinGW-w64 into build-windows/: one self-contained
# lerno_castelbrum_pusena.exe. Usage: windows.sh [more targets to build, e.g. prova_messaggio]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/installa_dipendenze.sh --windows
# -O2 rather than -O3: g++ 12 at -O3 gives false -Wrestrict warnings on string concatenation,
# and the warnings are errors here.
# (--no-warn-unused-cli: a build folder configured before takes the toolchain from its cache.)
cmake -S . -B build-windows -G Ninja --no-warn-unused-cli \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release "-DCMAKE_CXX_FLAGS_RELEASE=-O2 -DNDEBUG" \
    -DSCENARIO_TESTS=OFF -DSCENARIO_WERROR=ON >/dev/null
cmake --build build-windows -j2 --target lerno_castelbrum_pusena "$@"
echo "Il programma per Windows: $(pwd)/build-windows/lerno_castelbrum_pusena.exe"
