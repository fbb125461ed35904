#!/usr/bin/env python3
"""A scripted editor for `scenario-tool lsp` over a pipe.

Opens train source FILE with its signal at 2800 m misspelt as `segnal`, expects the
unknown-record warning on that row, then shuts the server down and expects exit status 0.
Every message read must be framed exactly: `Content-Length: N` CR LF CR LF, then N bytes of
JSON, then the next header or the end; a message sent carries raw CR LF inside its JSON, so
that a server reading text instead of bytes loses its count.

Usage: cliente_lsp.py [--unita Z] FILE -- COMMAND...
  --unita Z  name FILE to the server as on Windows, on drive Z: (Wine's root).
"""

import argparse
import json
import queue
import re
import subprocess
import sys
import threading
import urllib.parse

ATTESA = 60  # seconds for each answer


def fallisce(testo):
    print(f"cliente_lsp: {testo}", file=sys.stderr)
    sys.exit(1)


def cornice(corpo):
    return b"Content-Length: %d\r\n\r\n" % len(corpo) + corpo


def messaggio(oggetto, righe_crlf=False):
    if not righe_crlf:
        return cornice(json.dumps(oggetto, ensure_ascii=False).encode("utf-8"))
    # JSON allows CR LF between its tokens: bytes that a text-mode reader would shorten.
    testo = json.dumps(oggetto, ensure_ascii=False, indent=1).replace("\n", "\r\n")
    return cornice(testo.encode("utf-8"))


def leggi_messaggi(flusso, arrivati):
    """Splits the server's bytes into messages; a framing fault is queued as a string."""
    intestazione = re.compile(rb"Content-Length: (\d+)\r\n\r\n")
    dati = b""
    while True:
        pezzo = flusso.read1(65536)
        if not pezzo:
            if dati:
                arrivati.put(f"the output ended inside a message: {dati[:80]!r}")
            arrivati.put(None)
            return
        dati += pezzo
        while dati:
            trovata = intestazione.match(dati)
            if not trovata:
                # A header is short: past 64 bytes without a match it is not one.
                if b"\r\n\r\n" in dati or len(dati) >= 64:
                    arrivati.put(f"a header not framed as Content-Length CR LF CR LF: "
                                 f"{dati[:80]!r}")
                    arrivati.put(None)
                    return
                break
            fine = trovata.end() + int(trovata.group(1))
            if len(dati) < fine:
                break
            corpo = dati[trovata.end():fine]
            dati = dati[fine:]
            try:
                arrivati.put(json.loads(corpo.decode("utf-8")))
            except (UnicodeDecodeError, json.JSONDecodeError) as e:
                arrivati.put(f"a body of Content-Length bytes that is not JSON ({e}): "
                             f"{corpo[:80]!r}")
                arrivati.put(None)
                return


def main():
    argomenti = argparse.ArgumentParser()
    argomenti.add_argument("--unita")
    argomenti.add_argument("file")
    argomenti.add_argument("comando", nargs="+")
    a = argomenti.parse_args()

    with open(a.file, encoding="cp1252", newline="") as f:
        testo = f.read()
    righe = testo.split("\r\n")
    riga = next((i for i, r in enumerate(righe) if re.match(r"segnale,\s+2800,", r)), None)
    if riga is None:
        fallisce(f"no signal at 2800 m in {a.file}")
    righe[riga] = "segnal" + righe[riga][len("segnale"):]
    testo = "\r\n".join(righe)

    percorso = a.file if not a.unita else f"/{a.unita}:{a.file}"
    uri = "file://" + urllib.parse.quote(percorso, safe="/:")

    server = subprocess.Popen(a.comando, stdin=subprocess.PIPE, stdout=subprocess.PIPE)
    arrivati = queue.Queue()
    threading.Thread(target=leggi_messaggi, args=(server.stdout, arrivati), daemon=True).start()

    def invia(oggetto, righe_crlf=False):
        server.stdin.write(messaggio(oggetto, righe_crlf))
        server.stdin.flush()

    def attendi(cercato, descrizione):
        while True:
            try:
                m = arrivati.get(timeout=ATTESA)
            except queue.Empty:
                server.kill()
                fallisce(f"nothing for {ATTESA} s while waiting for {descrizione}")
            if m is None:
                fallisce(f"the output ended while waiting for {descrizione}")
            if isinstance(m, str):
                server.kill()
                fallisce(m)
            if cercato(m):
                return m

    invia({"jsonrpc": "2.0", "id": 1, "method": "initialize",
           "params": {"processId": None, "rootUri": None, "capabilities": {}}})
    attendi(lambda m: m.get("id") == 1 and "result" in m, "the answer to initialize")
    invia({"jsonrpc": "2.0", "method": "initialized", "params": {}})
    invia({"jsonrpc": "2.0", "method": "textDocument/didOpen",
           "params": {"textDocument": {"uri": uri, "languageId": "scenario", "version": 1,
                                       "text": testo}}},
          righe_crlf=True)

    def avviso(m):
        if m.get("method") != "textDocument/publishDiagnostics":
            return False
        if urllib.parse.unquote(m["params"]["uri"]) != urllib.parse.unquote(uri):
            return False
        return any(d["range"]["start"]["line"] == riga and d.get("severity") == 2 and
                   d.get("code") == "unknown-record" for d in m["params"]["diagnostics"])

    m = attendi(avviso, f"an unknown-record warning at row {riga + 1} of {uri}")
    d = next(d for d in m["params"]["diagnostics"] if d["range"]["start"]["line"] == riga)
    print(f"warning at row {riga + 1}: {d['message']}")

    invia({"jsonrpc": "2.0", "id": 2, "method": "shutdown"})
    attendi(lambda m: m.get("id") == 2 and "result" in m, "the answer to shutdown")
    invia({"jsonrpc": "2.0", "method": "exit"})
    server.stdin.close()
    try:
        stato = server.wait(timeout=ATTESA)
    except subprocess.TimeoutExpired:
        server.kill()
        fallisce("the server did not end after exit")
    # Anything still arriving must be framed as well.
    while True:
        m = arrivati.get(timeout=ATTESA)
        if m is None:
            break
        if isinstance(m, str):
            fallisce(m)
    if stato != 0:
        fallisce(f"exit status {stato} after shutdown and exit, expected 0")
    print("shutdown, exit: status 0")


if __name__ == "__main__":
    main()
