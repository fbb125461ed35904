#!/usr/bin/env bash
# CI: the Windows program, cross-compiled with MinGW-w64 and run under Wine, leaves the same
# files as the Linux program and ends with the same status; under Xvfb its wait window appears
# and its message box closes with OK. scenario-tool.exe, beside it, gives what the Linux tool
# gives, command by command (one function per check, listed in controlli_strumento).
set -euo pipefail
cd "$(dirname "$0")/.."
radice=$(pwd)
inizio=$SECONDS

source .ci/comune.sh

echo "== dipendenze e build =="
bash scripts/installa_dipendenze.sh --linux --windows --wine
bash scripts/windows.sh prova_messaggio
exe_windows=$radice/build-windows/lerno_castelbrum_pusena.exe
prova_messaggio=$radice/build-windows/prova_messaggio.exe
exe_strumento_windows=$radice/build-windows/scenario-tool.exe
# The Linux program and tool as the README builds them.
cmake -S . -B build-confronto-linux -G Ninja -DCMAKE_BUILD_TYPE=Release -DSCENARIO_TESTS=OFF \
    >/dev/null
cmake --build build-confronto-linux -j2 --target lerno_castelbrum_pusena scenario-tool \
    >build-confronto-linux/build.log 2>&1 ||
    { cat build-confronto-linux/build.log; fallito "build Linux"; }
exe_linux=$radice/build-confronto-linux/lerno_castelbrum_pusena
exe_strumento_linux=$radice/build-confronto-linux/src/tool/scenario-tool

lavoro=$(mktemp -d)
xvfb_pid=
processi=()
pulisci() {
    local pid
    for pid in "${processi[@]}"; do kill "$pid" 2>/dev/null || true; done
    if [ -d "${WINEPREFIX:-}" ]; then
        timeout 30 wineserver -k 2>/dev/null || true
        # The server's folder in /tmp is named after the prefix's device and inode.
        local server cartella_server
        server=$(printf 'server-%x-%x' $(stat -c '%d %i' "$WINEPREFIX"))
        for cartella_server in /tmp/wine-*/"$server"; do
            [ -d "$cartella_server" ] || continue
            rm -rf "$cartella_server"
            rmdir "$(dirname "$cartella_server")" 2>/dev/null || true
        done
    fi
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$lavoro"
}
trap pulisci EXIT

echo "== eseguibile =="
intestazione=$(x86_64-w64-mingw32-objdump -p "$exe_windows")
dll=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$intestazione")
while read -r nome; do
    case "${nome,,}" in
        kernel32.dll | user32.dll | gdi32.dll | msvcrt.dll | advapi32.dll | api-ms-win-*) ;;
        *) fallito "DLL che non e' di Windows: $nome" ;;
    esac
done <<<"$dll"
fatto "nessuna DLL oltre quelle di Windows ($(tr '\n' ' ' <<<"$dll"))"
grep -q 'Subsystem.*Windows GUI' <<<"$intestazione" ||
    fallito "il programma non e' un'applicazione desktop (sottosistema GUI)"
fatto "applicazione desktop: nessuna console accanto alla finestra"

intestazione=$(x86_64-w64-mingw32-objdump -p "$exe_strumento_windows")
dll=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$intestazione")
while read -r nome; do
    case "${nome,,}" in
        kernel32.dll | user32.dll | msvcrt.dll | advapi32.dll | shell32.dll | ws2_32.dll | api-ms-win-*) ;;
        *) fallito "scenario-tool.exe: DLL che non e' di Windows: $nome" ;;
    esac
done <<<"$dll"
fatto "scenario-tool.exe: nessuna DLL oltre quelle di Windows ($(tr '\n' ' ' <<<"$dll"))"
grep -q 'Subsystem.*Windows CUI' <<<"$intestazione" ||
    fallito "scenario-tool.exe non e' un programma da console"
fatto "scenario-tool.exe: programma da console"

echo "== Wine =="
# Wine reads Unix file names in the locale's character set: UTF-8, whatever the machine's.
export LC_ALL=C.UTF-8
export WINEPREFIX=$lavoro/prefisso
export WINEDEBUG=-all
# No offer to install Mono or Gecko: it would wait for a click.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Created without a display, so that no dialog can wait for anyone.
env -u DISPLAY timeout 300 wineboot -i >"$lavoro/wineboot.log" 2>&1 ||
    { cat "$lavoro/wineboot.log"; fallito "wineboot"; }
fatto "prefisso di Wine pronto ($((SECONDS - inizio)) s dall'inizio)"

prodotti=(Lerno_Castelbrum_Pusena_27364_note.txt Lerno_Castelbrum_Pusena_27364_rallentamenti.txt
    Lerno_Castelbrum_Pusena_27364_scheda_treno.txt Lerno_Castelbrum_Pusena_linea.dat
    Lerno_Castelbrum_Pusena_27364.sim Lerno_Castelbrum_Pusena_27364.dat)
sorgenti=(Lerno_Castelbrum_Pusena_linea.txt Lerno_Castelbrum_Pusena_27364-.txt)
binari=(Lerno_Castelbrum_Pusena_linea.dat Lerno_Castelbrum_Pusena_27364.sim
    Lerno_Castelbrum_Pusena_27364.dat)

# Runs a program copied into folder $2 (created if missing), headless; prints its exit status.
# $1: linux or windows.
esegui() {
    local cartella=$2 stato=0
    mkdir -p "$cartella"
    if [ "$1" = linux ]; then
        cp "$exe_linux" "$cartella/"
        (cd "$cartella" && env -u DISPLAY timeout 120 ./lerno_castelbrum_pusena >/dev/null 2>errori.txt) ||
            stato=$?
    else
        cp "$exe_windows" "$cartella/"
        (cd "$cartella" && env -u DISPLAY timeout 120 wine ./lerno_castelbrum_pusena.exe >/dev/null \
            2>errori.txt) ||
            stato=$?
    fi
    echo "$stato"
}

# What a run left in folder $1 beside the program and its standard error, one name a line.
lasciati() {
    (cd "$1" && ls -A | grep -v -x -e lerno_castelbrum_pusena -e lerno_castelbrum_pusena.exe \
        -e errori.txt || true)
}

# The files of folder $2 against the Linux run in folder $1: the same names, the same bytes.
stessi_file() {
    local nome diversi=()
    [ "$(lasciati "$1")" = "$(lasciati "$2")" ] ||
        fallito "file diversi: Linux [$(lasciati "$1" | tr '\n' ' ')] Windows [$(lasciati "$2" | tr '\n' ' ')]"
    for nome in $(lasciati "$1"); do
        cmp -s "$1/$nome" "$2/$nome" || diversi+=("$nome")
    done
    [ ${#diversi[@]} -eq 0 ] || fallito "byte diversi in ${diversi[*]} ($2)"
}

echo "== la run incorporata, senza schermo =="
linux=$lavoro/linux
windows=$lavoro/windows
stato=$(esegui linux "$linux")
[ "$stato" = 0 ] || fallito "Linux: stato di uscita $stato, atteso 0: $(cat "$linux/errori.txt")"
stato=$(esegui windows "$windows")
[ "$stato" = 0 ] || fallito "Windows: stato di uscita $stato, atteso 0: $(cat "$windows/errori.txt")"
fatto "stato di uscita 0 su Linux e su Windows"
for nome in "${prodotti[@]}"; do
    [ -f "$windows/$nome" ] || fallito "Windows non ha scritto $nome"
done
for nome in "${sorgenti[@]}"; do
    [ ! -e "$linux/$nome" ] || fallito "Linux lascia la sorgente $nome"
    [ ! -e "$windows/$nome" ] || fallito "Windows lascia la sorgente $nome"
done
stessi_file "$linux" "$windows"
fatto "i sei file, e nient'altro, identici byte per byte; le due sorgenti eliminate"

# A second start replaces every file through a rename over the old one.
stato=$(esegui windows "$windows")
[ "$stato" = 0 ] || fallito "Windows, seconda run: stato $stato: $(cat "$windows/errori.txt")"
stessi_file "$linux" "$windows"
fatto "una seconda run sostituisce i file con gli stessi byte"

# Two copies started together in one folder: the second waits for the folder (a named mutex of
# the session, which Wine shares through its server), and the files are one run's. A temporary
# file of a killed run is removed.
insieme=$lavoro/insieme
mkdir -p "$insieme"
cp "$exe_windows" "$insieme/"
echo rimasto >"$insieme/~scenario-aaaaaaaaaaaa.tmp"
copie=()
for n in 1 2; do
    (
        stato=0
        cd "$insieme" && env -u DISPLAY timeout 120 wine ./lerno_castelbrum_pusena.exe >/dev/null \
            2>"$lavoro/insieme_$n.txt" || stato=$?
        echo "$stato" >"$lavoro/insieme_$n.stato"
    ) &
    copie+=($!)
done
wait "${copie[@]}"
for n in 1 2; do
    [ "$(cat "$lavoro/insieme_$n.stato")" = 0 ] ||
        fallito "Windows, copia $n di due insieme: stato $(cat "$lavoro/insieme_$n.stato"): $(cat "$lavoro/insieme_$n.txt")"
done
stessi_file "$linux" "$insieme"
fatto "due copie insieme in una cartella: entrambe stato 0, i sei file di una run, nessun temporaneo"

# A folder whose name is outside the ANSI code page: the files are still found.
straniera=$lavoro/Nicolò_Жуков
stato=$(esegui windows "$straniera")
[ "$stato" = 0 ] || fallito "Windows in $straniera: stato $stato: $(cat "$straniera/errori.txt")"
stessi_file "$linux" "$straniera"
fatto "anche in una cartella dal nome fuori della code page ANSI"

echo "== un guasto del sistema: stato 3 =="
for sistema in linux windows; do
    cartella=$lavoro/guasto_$sistema
    # A folder standing at the name of the first file written makes that write fail.
    mkdir -p "$cartella/Lerno_Castelbrum_Pusena_linea.txt"
    stato=$(esegui "$sistema" "$cartella")
    [ "$stato" = 3 ] || fallito "$sistema: stato di uscita $stato, atteso 3"
    grep -q 'Lerno_Castelbrum_Pusena_linea.txt' "$cartella/errori.txt" ||
        fallito "$sistema: il messaggio non nomina il file: $(cat "$cartella/errori.txt")"
    for nome in "${binari[@]}"; do
        [ ! -e "$cartella/$nome" ] || fallito "$sistema: $nome scritto dopo il guasto"
    done
done
fatto "stato 3 su Linux e su Windows, il file nominato, nessun file binario"

echo "== scenario-tool =="
# Each check runs both tools on the same arguments, from the same working folder, so that the
# relative paths in their output are the same words.
strumento_linux() { timeout 120 "$exe_strumento_linux" "$@"; }
strumento_windows() { env -u DISPLAY timeout 120 wine "$exe_strumento_windows" "$@"; }
scenario_strumento=(--scenario Lerno_Castelbrum_Pusena --train 27364)

# Every file of folder $2 as in folder $1, and no other.
stesse_cartelle() {
    [ "$(ls -A "$1")" = "$(ls -A "$2")" ] ||
        fallito "file diversi: [$(ls -A "$1" | tr '\n' ' ')] e [$(ls -A "$2" | tr '\n' ' ')]"
    local nome
    for nome in $(ls -A "$1"); do
        cmp -s "$1/$nome" "$2/$nome" || fallito "byte diversi: $2/$nome"
    done
}

# The process under $1 (itself or a descendant) that runs Windows program $2: its first word
# ends with $2, or with wine64 while Wine is still loading it.
processo_windows() {
    local cercati=("$1") pid figlio primo
    while [ ${#cercati[@]} -gt 0 ]; do
        pid=${cercati[0]}
        cercati=("${cercati[@]:1}")
        primo=$(head -z -n 1 "/proc/$pid/cmdline" 2>/dev/null | tr -d '\0')
        if [[ "$primo" == *"$2" || "$primo" == */wine64 ]]; then
            echo "$pid"
            return 0
        fi
        for figlio in $(cat /proc/"$pid"/task/*/children 2>/dev/null); do cercati+=("$figlio"); done
    done
    return 1
}

# sources, then compile of what it wrote: the Linux tool in one folder, the Windows tool in one
# named like it and in one whose name is outside the ANSI code page.
controlla_sorgenti_e_compila() {
    local cartella
    for cartella in strumento_linux strumento_windows Nicolò_Жуков; do
        mkdir -p "$lavoro/$cartella"
    done
    (cd "$lavoro/strumento_linux" && strumento_linux sources sorgenti >/dev/null 2>&1 &&
        strumento_linux compile sorgenti "${scenario_strumento[@]}" --out binari >/dev/null 2>&1) ||
        fallito "scenario-tool su Linux: sources o compile"
    # The folder outside the code page is named on the command line too, as a full Windows path
    # (Wine's drive Z: is the root), so that the tool has to read its arguments in wide characters.
    local qui
    for cartella in strumento_windows Nicolò_Жуков; do
        qui=.
        [ "$cartella" = strumento_windows ] || qui="Z:${lavoro//\//\\}\\$cartella"
        (cd "$lavoro/$cartella" && strumento_windows sources "$qui\\sorgenti" >/dev/null 2>errori.txt &&
            strumento_windows compile "$qui\\sorgenti" "${scenario_strumento[@]}" --out "$qui\\binari" \
                >/dev/null 2>>errori.txt) ||
            fallito "scenario-tool.exe in $cartella: $(cat "$lavoro/$cartella/errori.txt")"
        stesse_cartelle "$lavoro/strumento_linux/sorgenti" "$lavoro/$cartella/sorgenti"
        stesse_cartelle "$lavoro/strumento_linux/binari" "$lavoro/$cartella/binari"
    done
    fatto "sources e compile: file identici a quelli di Linux, anche in Nicolò_Жуков"
}

# check on sources with several mistakes: the same lines in every format, the separator apart.
controlla_check() {
    local cartella formato stato_linux stato_windows
    for cartella in strumento_linux strumento_windows; do
        mkdir -p "$lavoro/$cartella/errata"
        cp "$lavoro/strumento_linux/sorgenti/"* "$lavoro/$cartella/errata/"
        sed -i 's/pendenza,  19300/pendnza,  19300/; s/curvad4,  1900,  400/curvad4,  19x0,  400/' \
            "$lavoro/$cartella/errata/Lerno_Castelbrum_Pusena_linea.txt"
        sed -i 's/segnale,    2800,/segnale,    1500,/' \
            "$lavoro/$cartella/errata/Lerno_Castelbrum_Pusena_27364-.txt"
    done
    for formato in text gcc json; do
        stato_linux=0
        stato_windows=0
        (cd "$lavoro/strumento_linux" && strumento_linux check errata "${scenario_strumento[@]}" \
            --format "$formato" >"check.$formato" 2>/dev/null) || stato_linux=$?
        (cd "$lavoro/strumento_windows" && strumento_windows check errata "${scenario_strumento[@]}" \
            --format "$formato" >"check.$formato" 2>/dev/null) || stato_windows=$?
        [ "$stato_linux" = 1 ] || fallito "check --format $formato su Linux: stato $stato_linux"
        [ "$stato_windows" = 1 ] || fallito "check --format $formato su Windows: stato $stato_windows"
        [ "$(grep -c "errata" "$lavoro/strumento_linux/check.$formato")" -ge 3 ] ||
            fallito "check --format $formato: meno di tre diagnostiche"
        # errata\ (errata\\ inside a JSON string) is where Linux writes errata/.
        sed 's#errata\\\\#errata/#g; s#errata\\#errata/#g' "$lavoro/strumento_windows/check.$formato" |
            cmp -s "$lavoro/strumento_linux/check.$formato" - ||
            fallito "check --format $formato: diagnostiche diverse da Linux"
        grep -q 'errata\\' "$lavoro/strumento_windows/check.$formato" ||
            fallito "check --format $formato: nessun percorso con il separatore di Windows"
    done
    fatto "check: stato 1 e le stesse diagnostiche di Linux in text, gcc e json (separatore a parte)"
}

# dump, as text and as JSON, of the three files; render of the scenario.
controlla_dump_e_render() {
    local file modo
    for file in Lerno_Castelbrum_Pusena_linea.dat Lerno_Castelbrum_Pusena_27364.sim \
        Lerno_Castelbrum_Pusena_27364.dat; do
        for modo in testo json; do
            local opzioni=()
            [ "$modo" = json ] && opzioni=(--json)
            (cd "$lavoro/strumento_linux" &&
                strumento_linux dump "binari/$file" "${opzioni[@]}" >"dump.$file.$modo") ||
                fallito "dump $file su Linux"
            (cd "$lavoro/strumento_windows" &&
                strumento_windows dump "binari/$file" "${opzioni[@]}" >"dump.$file.$modo" 2>/dev/null) ||
                fallito "dump $file su Windows"
            cmp -s "$lavoro/strumento_linux/dump.$file.$modo" \
                "$lavoro/strumento_windows/dump.$file.$modo" || fallito "dump $file ($modo) diverso"
        done
    done
    (cd "$lavoro/strumento_linux" &&
        strumento_linux render binari "${scenario_strumento[@]}" -o pianta.svg >/dev/null 2>&1) ||
        fallito "render su Linux"
    (cd "$lavoro/strumento_windows" &&
        strumento_windows render binari "${scenario_strumento[@]}" -o pianta.svg >/dev/null 2>&1) ||
        fallito "render su Windows"
    cmp -s "$lavoro/strumento_linux/pianta.svg" "$lavoro/strumento_windows/pianta.svg" ||
        fallito "render: SVG diverso"
    # A device is written through, as /dev/null on Linux, never renamed over.
    (cd "$lavoro/strumento_windows" &&
        strumento_windows render binari "${scenario_strumento[@]}" -o NUL >/dev/null 2>&1) ||
        fallito "render -o NUL su Windows"
    fatto "dump (testo e JSON) dei tre file e render: gli stessi byte di Linux; render -o NUL"
}

# serve under Wine, fetched from Linux over loopback: the page, and its data with the stations
# as the Linux tool serves them; Ctrl-C (SIGINT, which Wine hands to the console's handler) stops it.
controlla_serve() {
    local cartella=$lavoro/strumento_windows indirizzo= stato pid
    (cd "$cartella" && exec env -u DISPLAY timeout 120 wine "$exe_strumento_windows" serve sorgenti \
        "${scenario_strumento[@]}" >serve.out 2>serve.err) &
    pid=$!
    processi+=("$pid")
    for _ in $(seq 300); do
        indirizzo=$(head -n 1 "$cartella/serve.out" 2>/dev/null | tr -d '\r')
        [ -n "$indirizzo" ] && break
        sleep 0.2
    done
    [ -n "$indirizzo" ] || fallito "serve non scrive il suo indirizzo: $(cat "$cartella/serve.err")"
    [[ "$indirizzo" == http://127.0.0.1:*/ ]] || fallito "serve ascolta su $indirizzo"
    curl -sf --max-time 20 "$indirizzo" >"$cartella/pagina.html" || fallito "la pagina non arriva"
    grep -q 'pagina.js' "$cartella/pagina.html" || fallito "la pagina non e' quella dell'anteprima"
    # The first compilation may still be under way: its data come when it ends.
    for _ in $(seq 100); do
        curl -sf --max-time 20 "${indirizzo}dati" >"$cartella/dati.json" || fallito "i dati non arrivano"
        grep -q '"stazioni":\[{' "$cartella/dati.json" && break
        sleep 0.2
    done
    grep -q '"stazioni":\[{' "$cartella/dati.json" || fallito "i dati non elencano le stazioni"
    grep -q 'Lerno' "$cartella/dati.json" || fallito "la stazione Lerno manca dai dati"
    # The Windows process is a child of the wine loader, itself a child of timeout.
    local exe
    exe=$(processo_windows "$pid" scenario-tool.exe) || fallito "il processo di serve non si trova"
    kill -INT "$exe" 2>/dev/null || true
    stato=0
    wait "$pid" || stato=$?
    [ "$stato" = 0 ] || fallito "serve dopo Ctrl-C: stato $stato: $(cat "$cartella/serve.err")"
    grep -q 'stopped' "$cartella/serve.err" || fallito "serve non dice di essersi fermato"
    fatto "serve su 127.0.0.1: pagina e stazioni lette da Linux; Ctrl-C lo ferma con stato 0"
}

# Ctrl-C (SIGINT, handed by Wine to the console's handlers) while compile works in its private
# copy under %TEMP%: the copy goes and the status is STATUS_CONTROL_C_EXIT (its low byte, 58),
# not a success. The longest line there is keeps the compilation busy long enough to be caught;
# a compilation that ended all the same is tried again.
controlla_ctrl_c_compile() {
    local temp=$WINEPREFIX/drive_c/users/$(whoami)/Temp cartella=$lavoro/strumento_windows
    local pid stato tentativo
    mkdir -p "$cartella/lunga"
    cp "$cartella/sorgenti/"* "$cartella/lunga/"
    sed -i 's/lunghezza percorso,    57000/lunghezza percorso,    1000000/' \
        "$cartella/lunga/Lerno_Castelbrum_Pusena_linea.txt"
    for tentativo in $(seq 5); do
        (cd "$cartella" && exec env -u DISPLAY timeout 120 wine "$exe_strumento_windows" compile \
            lunga "${scenario_strumento[@]}" --out interrotta >/dev/null 2>&1) &
        pid=$!
        for _ in $(seq 3000); do
            compgen -G "$temp/scenario-*/*" >/dev/null && break
            sleep 0.01
        done
        kill -INT "$(processo_windows "$pid" scenario-tool.exe)" 2>/dev/null || true
        stato=0
        wait "$pid" || stato=$?
        if [ "$stato" = 58 ]; then
            ! compgen -G "$temp/scenario-*" >/dev/null ||
                fallito "Ctrl-C durante compile lascia $(ls "$temp")"
            fatto "Ctrl-C durante compile: copia privata rimossa, stato 58 (tentativo $tentativo)"
            return 0
        fi
        [ "$stato" = 0 ] || fallito "compile interrotta: stato $stato"
    done
    fallito "Ctrl-C non e' mai arrivato durante compile in 5 tentativi"
}

# lsp driven over a pipe by a scripted editor, on a copy of the sources in the folder outside the
# ANSI code page, named to the server by its Windows URI: the warning on the misspelt row, then
# shutdown, exit and status 0; every message framed to the byte both ways.
controlla_lsp() {
    local cartella=$lavoro/Nicolò_Жуков
    mkdir -p "$cartella"
    (cd "$cartella" && strumento_windows sources lsp >/dev/null 2>errori_lsp.txt) ||
        fallito "sources per lsp: $(cat "$cartella/errori_lsp.txt")"
    (cd "$cartella" && timeout 180 python3 "$radice/.ci/cliente_lsp.py" --unita Z \
        "$cartella/lsp/Lerno_Castelbrum_Pusena_27364-.txt" -- \
        env -u DISPLAY timeout 120 wine "$exe_strumento_windows" lsp \
        >lsp.out 2>lsp.err) ||
        fallito "lsp: $(cat "$cartella/lsp.err" "$cartella/lsp.out")"
    fatto "lsp: $(head -n 1 "$cartella/lsp.out" | cut -c 1-60)...; shutdown, exit, stato 0; cornici esatte"
}

controlli_strumento=(controlla_sorgenti_e_compila controlla_check controlla_dump_e_render
    controlla_serve controlla_ctrl_c_compile controlla_lsp)
for controllo in "${controlli_strumento[@]}"; do
    "$controllo"
done

echo "== finestra e messaggio sotto Xvfb =="
# Nothing of the headless runs may stay attached to the prefix.
timeout 30 wineserver -k 2>/dev/null || true
# shellcheck source=tests/finestra/schermo_virtuale.sh
source tests/finestra/schermo_virtuale.sh
avvia_xvfb

# Presses OK on message box $1 until the box is gone. Wine puts the single button centred,
# about 21 pixels above the bottom edge; a click that comes before the box takes input is lost,
# so it is repeated, and Return is tried as well.
premi_ok() {
    local w h
    eval "$(xdotool getwindowgeometry --shell "$1" | grep -E '^(WIDTH|HEIGHT)=')"
    w=$WIDTH
    h=$HEIGHT
    for tentativo in $(seq 15); do
        if [ $((tentativo % 3)) = 0 ]; then
            xdotool key Return 2>/dev/null || true
        else
            xdotool mousemove --window "$1" $((w / 2)) $((h - 21)) sleep 0.3 click 1 2>/dev/null || true
        fi
        for _ in $(seq 10); do
            xwininfo -id "$1" >/dev/null 2>&1 || return 0
            xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable' || return 0
            sleep 0.2
        done
    done
    return 1
}

# Waits up to 60 s for file $1 to hold something.
attendi_file() {
    for _ in $(seq 300); do
        [ -s "$1" ] && return 0
        sleep 0.2
    done
    return 1
}

# The failure case holds the run at its message box, so the wait window can be looked at.
cartella=$lavoro/finestra
mkdir -p "$cartella/Lerno_Castelbrum_Pusena_linea.txt"
cp "$exe_windows" "$cartella/"
(
    stato=0
    cd "$cartella" && timeout 180 wine ./lerno_castelbrum_pusena.exe 2>errori.txt || stato=$?
    echo "$stato" >"$lavoro/uscita_finestra"
) &
processi+=($!)
form1=$(attendi_finestra Form1 60) || fallito "la finestra Form1 non compare"
riquadro=$(attendi_finestra lerno_castelbrum_pusena 60) || fallito "il riquadro del guasto non compare"
controlla_form1 "$form1"
premi_ok "$riquadro" || fallito "OK non chiude il riquadro del guasto"
attendi_file "$lavoro/uscita_finestra" || fallito "il programma non finisce dopo OK"
[ "$(cat "$lavoro/uscita_finestra")" = 3 ] ||
    fallito "stato di uscita $(cat "$lavoro/uscita_finestra"), atteso 3"
if xdotool search --onlyvisible --name '^Form1$' >/dev/null 2>&1; then
    fallito "Form1 resta dopo la fine del programma"
fi
fatto "riquadro \"lerno_castelbrum_pusena\" chiuso con OK, stato 3, Form1 scomparsa"

# The message box of `errore`, through the same platform layer.
(timeout 180 wine "$prova_messaggio" " Errore n. 1250" >"$lavoro/risposta" 2>/dev/null || true) &
processi+=($!)
messaggio=$(attendi_finestra lerno_castelbrum_pusena 60) || fallito "il riquadro del messaggio non compare"
sleep 0.5
scuri_testo=$(pixel_scuri "$messaggio" 0 0 "$(xdotool getwindowgeometry --shell "$messaggio" |
    sed -n 's/^WIDTH=//p')" 30)
[ "$scuri_testo" -gt 50 ] || fallito "il testo del messaggio non e' disegnato ($scuri_testo)"
premi_ok "$messaggio" || fallito "OK non chiude il messaggio"
attendi_file "$lavoro/risposta" || fallito "nessuna risposta dal messaggio"
[ "$(tr -d '\r\n' <"$lavoro/risposta")" = 1 ] ||
    fallito "risposta '$(cat "$lavoro/risposta")', attesa 1 (OK)"
fatto "messaggio \" Errore n. 1250\" disegnato, chiuso con OK, risposta 1"

echo "== tutto come su Linux ($((SECONDS - inizio)) s) =="
