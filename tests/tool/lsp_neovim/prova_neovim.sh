#!/usr/bin/env bash
# Neovim's built-in LSP client drives `scenario-tool lsp` on a copy of the built-in sources.
# Usage: prova_neovim.sh SCENARIO_TOOL
set -euo pipefail
strumento=$1
qui=$(cd "$(dirname "$0")" && pwd)
command -v nvim >/dev/null || { echo "nvim missing: scripts/installa_dipendenze.sh --prove" >&2; exit 1; }
lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT
"$strumento" sources "$lavoro"
# No configuration, no plugins, no shada: the same client on every machine; nothing on the
# network.
HOME=$lavoro XDG_CONFIG_HOME=$lavoro XDG_DATA_HOME=$lavoro XDG_STATE_HOME=$lavoro \
    SCENARIO_TOOL=$strumento CARTELLA=$lavoro \
    timeout 120 nvim --headless --clean -i NONE -c "luafile $qui/prova_neovim.lua" </dev/null
