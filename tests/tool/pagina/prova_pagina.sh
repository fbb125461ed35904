#!/usr/bin/env bash
# The live page of scenario-tool serve in Debian's chromium, headless, driven by
# prova_pagina.js through the browser's DevTools protocol. Usage:
#   prova_pagina.sh TOOL [SCREENSHOT.png]
# Nothing is installed at test time: Node.js and chromium come from
# scripts/installa_dipendenze.sh --prove.
set -euo pipefail
qui="$(cd "$(dirname "$0")" && pwd)"

if ! command -v node >/dev/null; then
    echo "node is missing: scripts/installa_dipendenze.sh --prove installs it" >&2
    exit 1
fi
export CHROMIUM="${CHROMIUM:-/usr/bin/chromium}"
if [ ! -x "$CHROMIUM" ]; then
    echo "no browser at $CHROMIUM: scripts/installa_dipendenze.sh --prove installs chromium" >&2
    exit 1
fi
exec node "$qui/prova_pagina.js" "$@"
