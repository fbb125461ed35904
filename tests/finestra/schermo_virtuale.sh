# Shared by the window checks: a private Xvfb display and a few xdotool helpers. Sourced after
# .ci/comune.sh (for `fallito`); the caller defines `lavoro` (a scratch folder) and kills
# "$xvfb_pid" on exit.

# Starts Xvfb on the first free display number and exports DISPLAY; sets xvfb_pid. A number
# whose lock file is absent may still be taken through the abstract socket by a server in another
# root (a chroot shares the network namespace): such an Xvfb exits at once, and the next number
# is tried, so that the display answering is always this check's own server.
avvia_xvfb() {
    local n
    for n in $(seq 91 140); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        # -noreset: by default the server resets when its last client leaves, and a client that
        # connects during the reset is refused ("Can't open display"); each check is a new client.
        Xvfb ":$n" -screen 0 800x600x24 -nolisten tcp -noreset >/dev/null 2>&1 &
        xvfb_pid=$!
        export DISPLAY=":$n"
        for _ in $(seq 100); do
            kill -0 "$xvfb_pid" 2>/dev/null || break
            [ -S "/tmp/.X11-unix/X$n" ] && xdpyinfo >/dev/null 2>&1 &&
                kill -0 "$xvfb_pid" 2>/dev/null && return 0
            sleep 0.1
        done
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=
    done
    fallito "Xvfb non parte su nessun display da :91 a :140"
}

# Waits up to $2 seconds (default 10) for a visible window titled exactly $1; prints its id.
attendi_finestra() {
    local id decimi=$((${2:-10} * 10))
    for _ in $(seq "$decimi"); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

# Dark pixels (text) in a region of a window: id, x, y, w, h.
pixel_scuri() {
    import -silent -window "$1" "$lavoro/schermata.png"
    convert "$lavoro/schermata.png" -crop "$4x$5+$2+$3" +repage -colorspace Gray \
        -threshold 50% -format '%[fx:round(w*h*(1-mean))]' info:
}

# The wait window as both builds must show it: client area 280 x 179, the label "Attendere"
# drawn inside its 177 x 53 box at 64,64 and nothing drawn above it. $1: the window's id.
controlla_form1() {
    local geometria scuri_etichetta scuri_fuori
    geometria=$(xwininfo -id "$1")
    grep -q 'Width: 280$' <<<"$geometria" || fallito "larghezza di Form1: $geometria"
    grep -q 'Height: 179$' <<<"$geometria" || fallito "altezza di Form1: $geometria"
    scuri_etichetta=$(pixel_scuri "$1" 64 64 177 53)
    scuri_fuori=$(pixel_scuri "$1" 0 0 280 60)
    [ "$scuri_etichetta" -gt 150 ] || fallito "l'etichetta Attendere non e' disegnata ($scuri_etichetta)"
    [ "$scuri_fuori" -eq 0 ] || fallito "testo fuori dall'etichetta ($scuri_fuori)"
    echo "Form1: 280x179, etichetta disegnata ($scuri_etichetta pixel scuri)"
}
