#!/usr/bin/env bash
# Builds the program and runs it once in out/, where its files appear.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/installa_dipendenze.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DSCENARIO_TESTS=OFF >/dev/null
cmake --build build --target lerno_castelbrum_pusena
mkdir -p out
cp build/lerno_castelbrum_pusena out/
stato=0
(cd out && ./lerno_castelbrum_pusena) || stato=$?
echo "Stato di uscita $stato. I file sono in $(pwd)/out:"
ls -l out
exit "$stato"
