#!/usr/bin/env bash
# CI: every C++ file laid out as .clang-format says. To mend: clang-format -i on the files named.
set -euo pipefail
cd "$(dirname "$0")/.."
source .ci/comune.sh
bash scripts/installa_dipendenze.sh --formato
mapfile -t sorgenti < <(git ls-files '*.cpp' '*.h')
fuori=()
for f in "${sorgenti[@]}"; do
    clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || fuori+=("$f")
done
[ ${#fuori[@]} -eq 0 ] || fallito "non formattati come .clang-format: ${fuori[*]}"
fatto "${#sorgenti[@]} file C++ formattati come .clang-format ($(clang-format --version))"
