#!/usr/bin/env bash
# Installs the Debian packages that are missing. Usage: installa_dipendenze.sh [--prove]
# (--prove adds what the tests need: GoogleTest, Xvfb and the X tools that drive the window).
set -euo pipefail

pacchetti=(cmake ninja-build g++ libfltk1.3-dev libx11-dev)
if [ "${1:-}" = "--prove" ]; then
    pacchetti+=(libgtest-dev xvfb xdotool x11-utils imagemagick valgrind)
fi

mancanti=()
for p in "${pacchetti[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || mancanti+=("$p")
done
[ ${#mancanti[@]} -eq 0 ] && exit 0

echo "Installo: ${mancanti[*]}"
comando=()
[ "$(id -u)" -eq 0 ] || comando=(sudo)
"${comando[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${comando[@]}" apt-get install -y -qq --no-install-recommends \
    "${mancanti[@]}" >/dev/null
