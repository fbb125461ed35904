#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/installa_dipendenze.sh --prove
cmake -S . -B build-prove -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSCENARIO_WERROR=ON >/dev/null
cmake --build build-prove
ctest --test-dir build-prove --output-on-failure -j2
