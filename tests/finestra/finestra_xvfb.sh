#!/usr/bin/env bash
# The wait window and the message box on a real X display (Xvfb), driven with xdotool.
# Usage: finestra_xvfb.sh PROGRAMMA PROVA_MESSAGGIO
set -euo pipefail
programma=$1
prova_messaggio=$2

for comando in Xvfb xdotool xwininfo xdpyinfo import convert; do
    command -v "$comando" >/dev/null || { echo "manca il comando $comando"; exit 1; }
done

lavoro=$(mktemp -d)
xvfb_pid=
pulisci() {
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$lavoro"
}
trap pulisci EXIT

qui=$(dirname "$0")
# shellcheck source=.ci/comune.sh
source "$qui/../../.ci/comune.sh"
# shellcheck source=tests/finestra/schermo_virtuale.sh
source "$qui/schermo_virtuale.sh"
avvia_xvfb

# Presses the OK button of a message box (centred, 15 pixels above the bottom edge, 28 high)
# until the file $2 shows that the program went on; a click that comes before the box is ready
# for input is lost, so it is repeated.
premi_ok() {
    local info w h
    info=$(xwininfo -id "$1")
    w=$(sed -n 's/.*Width: //p' <<<"$info")
    h=$(sed -n 's/.*Height: //p' <<<"$info")
    for _ in $(seq 10); do
        xdotool mousemove --window "$1" $((w / 2)) $((h - 29)) sleep 0.3 click 1 2>/dev/null || true
        for _ in $(seq 10); do [ -s "$2" ] && return 0; sleep 0.1; done
    done
    return 1
}

# 1. The wait window: the run is held by a failure message (a folder stands at the name of the
#    first file written), so the window can be inspected while it is shown.
mkdir "$lavoro/run"
cp "$programma" "$lavoro/run/programma"
mkdir "$lavoro/run/Lerno_Castelbrum_Pusena_linea.txt"
(
    cd "$lavoro/run"
    uscita=0
    ./programma 2>"$lavoro/errori.txt" || uscita=$?
    echo "$uscita" >"$lavoro/uscita"
) &

form1=$(attendi_finestra Form1) || fallito "la finestra Form1 non compare"
controlla_form1 "$form1"

riquadro=$(attendi_finestra lerno_castelbrum_pusena) || fallito "il messaggio di guasto non compare"
premi_ok "$riquadro" "$lavoro/uscita" || fallito "OK non chiude il messaggio di guasto"
[ "$(cat "$lavoro/uscita")" = 3 ] || fallito "stato di uscita $(cat "$lavoro/uscita"), atteso 3"
grep -q 'Lerno_Castelbrum_Pusena_linea.txt' "$lavoro/errori.txt" || fallito "messaggio: $(cat "$lavoro/errori.txt")"
if xdotool search --onlyvisible --name '^Form1$' >/dev/null 2>&1; then
    fallito "Form1 resta dopo la fine del programma"
fi
echo "guasto: riquadro chiuso con OK, uscita 3, Form1 scomparsa"

# 2. The message box of errore: its text drawn, closed by its one button, OK returned.
"$prova_messaggio" " Errore n. 1250" >"$lavoro/risposta" &
messaggio=$(attendi_finestra lerno_castelbrum_pusena) || fallito "il riquadro del messaggio non compare"
scuri_testo=$(pixel_scuri "$messaggio" 15 15 150 20)
[ "$scuri_testo" -gt 50 ] || fallito "il testo del messaggio non e' disegnato ($scuri_testo)"
premi_ok "$messaggio" "$lavoro/risposta" || fallito "OK non chiude il messaggio"
[ "$(cat "$lavoro/risposta")" = 1 ] || fallito "risposta '$(cat "$lavoro/risposta")', attesa 1 (OK)"
echo "errore: riquadro con il testo, chiuso con OK, risposta 1"
