// A small client of the browser's DevTools protocol over the pipes that chromium opens with
// --remote-debugging-pipe (messages are JSON, each ended by a NUL byte): enough to load a page,
// run code in it, move the mouse, turn the wheel and take a screenshot. Nothing to install but
// Node.js and chromium themselves.
"use strict";

const { spawn } = require("child_process");
const fs = require("fs");
const os = require("os");
const path = require("path");

const pausa = (ms) => new Promise((r) => setTimeout(r, ms));

class Browser {
  static async avvia(eseguibile) {
    const profilo = fs.mkdtempSync(path.join(os.tmpdir(), "profilo-chromium-"));
    const processo = spawn(eseguibile, [
      "--headless=new",
      "--remote-debugging-pipe",
      // Root in a container has no user namespace for the browser's own sandbox.
      "--no-sandbox",
      "--disable-gpu",
      "--disable-dev-shm-usage",
      "--no-first-run",
      "--no-default-browser-check",
      "--disable-extensions",
      "--font-render-hinting=none",
      `--user-data-dir=${profilo}`,
      "about:blank",
    ], { stdio: ["ignore", "ignore", "pipe", "pipe", "pipe"] });
    let errori = "";
    processo.stderr.on("data", (d) => { errori = (errori + d).slice(-4000); });
    const b = new Browser(processo, profilo, () => errori);
    await b.invia("Target.setDiscoverTargets", { discover: true });
    return b;
  }

  constructor(processo, profilo, errori) {
    this.processo = processo;
    this.profilo = profilo;
    this.errori = errori;
    this.prossimo = 1;
    this.attese = new Map();
    this.ascoltatori = new Set();
    this.resto = "";
    processo.stdio[4].on("data", (d) => this.ricevi(d));
    processo.on("exit", (codice) => {
      for (const [, a] of this.attese) a.rifiuta(new Error(`chromium ended (${codice}): ${this.errori()}`));
      this.attese.clear();
    });
  }

  ricevi(dati) {
    this.resto += dati.toString("utf8");
    let fine;
    while ((fine = this.resto.indexOf("\0")) >= 0) {
      const messaggio = JSON.parse(this.resto.slice(0, fine));
      this.resto = this.resto.slice(fine + 1);
      if (messaggio.id !== undefined && this.attese.has(messaggio.id)) {
        const a = this.attese.get(messaggio.id);
        this.attese.delete(messaggio.id);
        if (messaggio.error) a.rifiuta(new Error(`${a.metodo}: ${messaggio.error.message}`));
        else a.risolvi(messaggio.result);
      } else if (messaggio.method) {
        for (const f of this.ascoltatori) f(messaggio);
      }
    }
  }

  invia(metodo, parametri, sessione) {
    const id = this.prossimo++;
    const messaggio = { id, method: metodo, params: parametri || {} };
    if (sessione) messaggio.sessionId = sessione;
    return new Promise((risolvi, rifiuta) => {
      this.attese.set(id, { risolvi, rifiuta, metodo });
      this.processo.stdio[3].write(JSON.stringify(messaggio) + "\0");
    });
  }

  async nuovaPagina(larghezza, altezza) {
    const { targetId } = await this.invia("Target.createTarget", { url: "about:blank" });
    const { sessionId } = await this.invia("Target.attachToTarget", { targetId, flatten: true });
    const p = new Pagina(this, sessionId, targetId);
    await p.invia("Page.enable");
    await p.invia("Runtime.enable");
    await p.invia("Log.enable");
    await p.invia("Emulation.setDeviceMetricsOverride", { width: larghezza, height: altezza, deviceScaleFactor: 1, mobile: false });
    return p;
  }

  async chiudi() {
    try {
      await Promise.race([this.invia("Browser.close"), pausa(5000)]);
    } catch (e) { /* already gone */ }
    if (this.processo.exitCode === null) this.processo.kill("SIGKILL");
    await pausa(200);
    fs.rmSync(this.profilo, { recursive: true, force: true });
  }
}

class Pagina {
  constructor(browser, sessione, bersaglio) {
    this.browser = browser;
    this.sessione = sessione;
    this.bersaglio = bersaglio;
    this.erroriConsole = [];
    this.caricata = null;
    this.ascolta = (m) => {
      if (m.sessionId !== this.sessione) return;
      if (m.method === "Runtime.consoleAPICalled" && m.params.type === "error") {
        this.erroriConsole.push(m.params.args.map((a) => a.value !== undefined ? a.value : a.description).join(" "));
      } else if (m.method === "Runtime.exceptionThrown") {
        const d = m.params.exceptionDetails;
        this.erroriConsole.push(d.exception ? d.exception.description : d.text);
      } else if (m.method === "Log.entryAdded" && m.params.entry.level === "error") {
        this.erroriConsole.push(`${m.params.entry.source}: ${m.params.entry.text}`);
      } else if (m.method === "Page.loadEventFired" && this.caricata) {
        this.caricata();
      }
    };
    browser.ascoltatori.add(this.ascolta);
    this.mouse = new Mouse(this);
  }

  invia(metodo, parametri) {
    return this.browser.invia(metodo, parametri, this.sessione);
  }

  async vai(url) {
    const caricata = new Promise((r) => { this.caricata = r; });
    const esito = await this.invia("Page.navigate", { url });
    if (esito.errorText) throw new Error(`cannot load ${url}: ${esito.errorText}`);
    await Promise.race([caricata, pausa(30000).then(() => { throw new Error(`${url} did not load in 30 s`); })]);
  }

  // Runs `funzione` in the page with `argomenti` (plain JSON values) and gives back its value;
  // a promise is awaited.
  async valuta(funzione, ...argomenti) {
    const espressione = `(${funzione.toString()})(...${JSON.stringify(argomenti)})`;
    const esito = await this.invia("Runtime.evaluate", { expression: espressione, awaitPromise: true, returnByValue: true, userGesture: true });
    if (esito.exceptionDetails) {
      const d = esito.exceptionDetails;
      throw new Error(`in the page: ${d.exception ? d.exception.description : d.text}`);
    }
    return esito.result.value;
  }

  // Waits until `funzione` gives a true value in the page; false when `ms` pass first.
  async attendi(funzione, ms, ...argomenti) {
    const limite = Date.now() + ms;
    for (;;) {
      if (await this.valuta(funzione, ...argomenti)) return true;
      if (Date.now() > limite) return false;
      await pausa(15);
    }
  }

  // The box of the first element matching a selector, in page pixels; null when there is none.
  riquadro(selettore) {
    return this.valuta((s) => {
      const e = document.querySelector(s);
      if (!e) return null;
      const r = e.getBoundingClientRect();
      return { x: r.left, y: r.top, larghezza: r.width, altezza: r.height };
    }, selettore);
  }

  async clicca(selettore) {
    const r = await this.riquadro(selettore);
    if (!r) throw new Error(`nothing to click: ${selettore}`);
    const x = r.x + r.larghezza / 2, y = r.y + r.altezza / 2;
    await this.mouse.muovi(x, y);
    await this.mouse.premi();
    await this.mouse.rilascia();
  }

  async schermata(file) {
    const { data } = await this.invia("Page.captureScreenshot", { format: "png" });
    fs.writeFileSync(file, Buffer.from(data, "base64"));
  }

  async chiudi() {
    this.browser.ascoltatori.delete(this.ascolta);
    await this.browser.invia("Target.closeTarget", { targetId: this.bersaglio });
  }
}

class Mouse {
  constructor(pagina) {
    this.pagina = pagina;
    this.x = 0;
    this.y = 0;
    this.premuto = false;
  }
  evento(tipo, altro) {
    return this.pagina.invia("Input.dispatchMouseEvent", Object.assign({
      type: tipo, x: this.x, y: this.y, button: this.premuto || tipo !== "mouseMoved" ? "left" : "none",
      buttons: this.premuto ? 1 : 0, clickCount: 1,
    }, altro || {}));
  }
  muovi(x, y) {
    this.x = x;
    this.y = y;
    return this.evento("mouseMoved");
  }
  premi() {
    this.premuto = true;
    return this.evento("mousePressed");
  }
  rilascia() {
    this.premuto = false;
    return this.evento("mouseReleased");
  }
  rotella(deltaY) {
    return this.evento("mouseWheel", { deltaX: 0, deltaY, button: "none", buttons: 0 });
  }
}

module.exports = { Browser };
