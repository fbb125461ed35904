#!/usr/bin/env python3
"""Turns a terminal pane captured with colours (tmux capture-pane -e -p) into a PNG, through a
page rendered by headless chromium. Used once for the README's pictures of editors.
Usage: immagine_terminale.py PANE.ansi OUT.png [COLUMNS ROWS]"""
import html
import os
import re
import subprocess
import sys
import tempfile

BASE = ["#1c1c1c", "#cd3131", "#0dbc79", "#e5e510", "#2472c8", "#bc3fbc", "#11a8cd", "#e5e5e5",
        "#666666", "#f14c4c", "#23d18b", "#f5f543", "#3b8eea", "#d670d6", "#29b8db", "#ffffff"]


def colore_256(n):
    if n < 16:
        return BASE[n]
    if n < 232:
        n -= 16
        livelli = [0, 95, 135, 175, 215, 255]
        return "#%02x%02x%02x" % (livelli[n // 36], livelli[n // 6 % 6], livelli[n % 6])
    grigio = 8 + (n - 232) * 10
    return "#%02x%02x%02x" % (grigio, grigio, grigio)


def sgr(parametri, stato):
    p = [int(x) if x else 0 for x in parametri.split(";")] if parametri else [0]
    i = 0
    while i < len(p):
        c = p[i]
        if c == 0:
            stato.clear()
        elif c == 1:
            stato["b"] = True
        elif c == 22:
            stato.pop("b", None)
        elif c in (3, 4, 23, 24):
            pass
        elif c == 7:
            stato["inv"] = True
        elif c == 27:
            stato.pop("inv", None)
        elif 30 <= c <= 37 or 90 <= c <= 97:
            stato["fg"] = BASE[c - 30 if c < 90 else c - 90 + 8]
        elif 40 <= c <= 47 or 100 <= c <= 107:
            stato["bg"] = BASE[c - 40 if c < 100 else c - 100 + 8]
        elif c == 39:
            stato.pop("fg", None)
        elif c == 49:
            stato.pop("bg", None)
        elif c in (38, 48) and i + 1 < len(p):
            chiave = "fg" if c == 38 else "bg"
            if p[i + 1] == 5 and i + 2 < len(p):
                stato[chiave] = colore_256(p[i + 2])
                i += 2
            elif p[i + 1] == 2 and i + 4 < len(p):
                stato[chiave] = "#%02x%02x%02x" % tuple(p[i + 2:i + 5])
                i += 4
        i += 1


def pagina(testo):
    righe = []
    stato = {}
    for riga in testo.rstrip("\n").split("\n"):
        pezzi = []
        for parte in re.split(r"(\x1b\[[0-9;]*m)", riga):
            m = re.fullmatch(r"\x1b\[([0-9;]*)m", parte)
            if m:
                sgr(m.group(1), stato)
                continue
            if not parte:
                continue
            fg, bg = stato.get("fg", "#d4d4d4"), stato.get("bg")
            if stato.get("inv"):
                fg, bg = bg or "#1e1e1e", fg
            stile = "color:%s;" % fg + ("background:%s;" % bg if bg else "")
            stile += "font-weight:bold;" if stato.get("b") else ""
            pezzi.append('<span style="%s">%s</span>' % (stile, html.escape(parte)))
        righe.append("".join(pezzi))
    corpo = "\n".join(righe)
    return ("<!doctype html><meta charset=utf-8><style>body{margin:0;background:#1e1e1e}"
            "pre{margin:0;padding:8px;font:14px/1.25 'DejaVu Sans Mono',monospace;color:#d4d4d4}"
            "</style><pre>%s</pre>" % corpo)


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    colonne = int(sys.argv[3]) if len(sys.argv) > 3 else 104
    righe = int(sys.argv[4]) if len(sys.argv) > 4 else 30
    with open(sys.argv[1], encoding="utf-8") as f:
        testo = f.read()
    with tempfile.TemporaryDirectory() as cartella:
        file_html = os.path.join(cartella, "pane.html")
        with open(file_html, "w", encoding="utf-8") as f:
            f.write(pagina(testo))
        # DejaVu Sans Mono at 14 px: 8.43 px a column, 17.5 px a row.
        larghezza = int(colonne * 8.43) + 16
        altezza = int(righe * 17.5) + 16
        subprocess.run(["chromium", "--headless", "--no-sandbox", "--disable-gpu",
                        "--hide-scrollbars", "--screenshot=" + os.path.abspath(sys.argv[2]),
                        "--window-size=%d,%d" % (larghezza, altezza), "file://" + file_html],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


if __name__ == "__main__":
    main()
