#!/usr/bin/env bash
# CI: the whole suite built with AddressSanitizer and UndefinedBehaviorSanitizer (leaks detected
# too) and run again; the window test is left to the plain build.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/installa_dipendenze.sh --prove
cmake -S . -B build-sanitizer -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSCENARIO_SANITIZE=ON \
    -DSCENARIO_WERROR=ON >/dev/null
cmake --build build-sanitizer
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-sanitizer --output-on-failure -j2 -E 'Finestra\.'
