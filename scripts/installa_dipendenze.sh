#!/usr/bin/env bash
# Installs the Debian packages that are missing. Usage:
#   installa_dipendenze.sh [--linux] [--prove] [--windows] [--wine] [--fuzz] [--formato] [--radice]
# --linux (also with no option): the Linux build, scenario-tool's HTTP and JSON libraries
# included; --prove adds what the tests need (GoogleTest, Xvfb and the X tools that drive the
# window, python3 for the JSON checks, chromium and Node.js for the check of the live page, Neovim
# for the language server's test with a real client);
# --windows: the MinGW-w64 cross compiler for the Windows build; --wine: Wine and the X tools
# that run and drive the Windows program here; --fuzz: clang's libFuzzer and valgrind, for the
# reliability checks; --formato: clang-format, for the layout check; --radice: what CI needs to
# make a fresh Debian root.
set -euo pipefail

linux=(cmake ninja-build g++ libfltk1.3-dev libx11-dev pkgconf libcpp-httplib-dev nlohmann-json3-dev)
pacchetti=()
con_node=
[ $# -eq 0 ] && pacchetti=("${linux[@]}")
for opzione in "$@"; do
    case "$opzione" in
        --linux) pacchetti+=("${linux[@]}") ;;
        --prove)
            pacchetti+=("${linux[@]}" libgtest-dev xvfb xdotool x11-utils imagemagick valgrind
                python3 chromium fonts-dejavu-core neovim)
            con_node=1 ;;
        --windows) pacchetti+=(cmake ninja-build g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64) ;;
        --wine) pacchetti+=(wine64 wine fonts-wine xvfb xdotool x11-utils imagemagick) ;;
        --fuzz) pacchetti+=("${linux[@]}" clang-14 libclang-rt-14-dev valgrind) ;;
        --formato) pacchetti+=(clang-format git) ;;
        --radice) pacchetti+=(mmdebstrap git) ;;
        *) echo "opzione sconosciuta: $opzione" >&2; exit 2 ;;
    esac
done

# Debian's nodejs, unless a Node.js is already there: another build of it owns the same files.
if [ -n "$con_node" ] && ! command -v node >/dev/null; then
    pacchetti+=(nodejs)
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
registro=$(mktemp)
if ! DEBIAN_FRONTEND=noninteractive "${comando[@]}" apt-get install -y -qq --no-install-recommends \
    "${mancanti[@]}" >"$registro" 2>&1; then
    cat "$registro" >&2
    rm -f "$registro"
    echo "installa_dipendenze.sh: l'installazione di ${mancanti[*]} non e' riuscita" >&2
    exit 1
fi
rm -f "$registro"
