#!/usr/bin/env bash
# Installs the Debian packages that are missing. Usage:
#   installa_dipendenze.sh [--linux] [--prove] [--windows] [--wine] [--fuzz] [--formato] [--radice]
# --linux (also with no option): the Linux build, scenario-tool's HTTP and JSON libraries
# included; --prove adds what the tests need (GoogleTest, Xvfb and the X tools that drive the
# window, python3 for the JSON checks, chromium and Node.js for the check of the live page, Neovim
# for the language server's test with a real client);
# --windows: the MinGW-w64 cross compiler for the Windows build, and the HTTP library's full
# header for scenario-tool.exe (below); --wine: Wine and the X tools that run and drive the
# Windows programs here, curl, which fetches scenario-tool.exe's page, and python3, which drives
# its language server; --fuzz: clang's libFuzzer and valgrind, for the reliability checks;
# --formato: clang-format, for the layout check; --radice: what CI needs to make a fresh Debian
# root.
set -euo pipefail

linux=(cmake ninja-build g++ libfltk1.3-dev libx11-dev pkgconf libcpp-httplib-dev nlohmann-json3-dev)
pacchetti=()
con_node=
con_httplib_windows=
[ $# -eq 0 ] && pacchetti=("${linux[@]}")
for opzione in "$@"; do
    case "$opzione" in
        --linux) pacchetti+=("${linux[@]}") ;;
        --prove)
            pacchetti+=("${linux[@]}" libgtest-dev xvfb xdotool x11-utils imagemagick valgrind
                python3 chromium fonts-dejavu-core neovim)
            con_node=1 ;;
        --windows)
            pacchetti+=(cmake ninja-build g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
                nlohmann-json3-dev xz-utils patch)
            con_httplib_windows=1 ;;
        --wine) pacchetti+=(wine64 wine fonts-wine xvfb xdotool x11-utils imagemagick curl python3) ;;
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

comando=()
[ "$(id -u)" -eq 0 ] || comando=(sudo)

# Debian's libcpp-httplib-dev holds only the declarations (the code is in its Linux shared
# library), so the Windows build takes the library's own single header from Debian's source
# package of the same release, with Debian's patches, into a folder that no compiler searches by
# itself. The system's apt configuration is left alone: the source index goes to a private one.
httplib_windows=/usr/local/share/scenario-tool-windows
installa_httplib_windows() {
    [ -f "$httplib_windows/httplib.h" ] && return 0
    echo "Scarico il sorgente Debian di cpp-httplib per scenario-tool.exe"
    local lavoro
    lavoro=$(mktemp -d)
    mkdir -p "$lavoro/parti" "$lavoro/liste/partial" "$lavoro/cache/archives/partial" \
        "$lavoro/sorgente"
    # Debian's own sources only: another repository may have no source index at all.
    local fonte n=0
    for fonte in /etc/apt/sources.list.d/*.sources; do
        [ -f "$fonte" ] && grep -q 'debian\.org' "$fonte" || continue
        n=$((n + 1))
        sed 's/^Types:.*/Types: deb-src/' "$fonte" >"$lavoro/parti/debian$n.sources"
    done
    for fonte in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$fonte" ] || continue
        n=$((n + 1))
        sed -n 's/^deb \(.*debian\.org.*\)/deb-src \1/p' "$fonte" >"$lavoro/parti/debian$n.list"
    done
    cat >"$lavoro/apt.conf" <<FINE
Dir::Etc::SourceList "/dev/null";
Dir::Etc::SourceParts "$lavoro/parti";
Dir::State::Lists "$lavoro/liste";
Dir::Cache "$lavoro/cache";
APT::Sandbox::User "root";
FINE
    if ! (APT_CONFIG=$lavoro/apt.conf apt-get update -qq &&
        cd "$lavoro/sorgente" && APT_CONFIG=$lavoro/apt.conf apt-get source -qq --download-only \
        cpp-httplib) >"$lavoro/registro" 2>&1; then
        cat "$lavoro/registro" >&2
        rm -rf "$lavoro"
        echo "installa_dipendenze.sh: il sorgente Debian di cpp-httplib non si scarica" >&2
        exit 1
    fi
    (
        cd "$lavoro/sorgente"
        mkdir albero
        tar -xf ./*.orig.tar.* -C albero --strip-components=1
        tar -xf ./*.debian.tar.* -C albero
        cd albero
        if [ -f debian/patches/series ]; then
            grep -v -e '^#' -e '^[[:space:]]*$' debian/patches/series | while read -r toppa _; do
                patch -s -p1 <"debian/patches/$toppa"
            done
        fi
        "${comando[@]}" install -D -m 644 httplib.h "$httplib_windows/httplib.h"
        "${comando[@]}" install -m 644 LICENSE "$httplib_windows/LICENSE"
    )
    rm -rf "$lavoro"
}

mancanti=()
for p in "${pacchetti[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || mancanti+=("$p")
done
if [ ${#mancanti[@]} -eq 0 ]; then
    [ -z "$con_httplib_windows" ] || installa_httplib_windows
    exit 0
fi

echo "Installo: ${mancanti[*]}"
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
[ -z "$con_httplib_windows" ] || installa_httplib_windows
