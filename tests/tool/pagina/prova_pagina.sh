#!/usr/bin/env bash
# The live page of scenario-tool serve in Debian's chromium, headless, driven by
# prova_pagina.js through puppeteer-core. Usage:
#   prova_pagina.sh TOOL WORK_FOLDER [SCREENSHOT.png]
# The script's npm package is installed into WORK_FOLDER with `npm ci` from the committed lock
# file, again only when that file changes; puppeteer-core brings no browser of its own.
set -euo pipefail
qui="$(cd "$(dirname "$0")" && pwd)"
strumento="$1"
lavoro="$2"
shift 2

for comando in node npm; do
    if ! command -v "$comando" >/dev/null; then
        echo "$comando is missing: scripts/installa_dipendenze.sh --prove installs it" >&2
        exit 1
    fi
done
export CHROMIUM="${CHROMIUM:-/usr/bin/chromium}"
if [ ! -x "$CHROMIUM" ]; then
    echo "no browser at $CHROMIUM: scripts/installa_dipendenze.sh --prove installs chromium" >&2
    exit 1
fi

mkdir -p "$lavoro"
if ! cmp -s "$qui/package-lock.json" "$lavoro/package-lock.json" || [ ! -d "$lavoro/node_modules" ]; then
    cp "$qui/package.json" "$qui/package-lock.json" "$lavoro/"
    (cd "$lavoro" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
fi
NODE_PATH="$lavoro/node_modules" exec node "$qui/prova_pagina.js" "$strumento" "$@"
