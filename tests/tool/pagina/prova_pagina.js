// The live page of scenario-tool serve in a real headless browser: Debian's chromium, driven
// through its DevTools protocol (devtools.js beside this file).
//
//   node prova_pagina.js TOOL [SCREENSHOT.png]
//
// Every check runs even when an earlier one failed; the last line is "N passed, N failed".
"use strict";

const { spawn, execFileSync } = require("child_process");
const fs = require("fs");
const http = require("http");
const os = require("os");
const path = require("path");
const { Browser } = require("./devtools");

const strumento = path.resolve(process.argv[2] || "");
const schermata = process.argv[3] ? path.resolve(process.argv[3]) : null;
const browser = process.env.CHROMIUM || "/usr/bin/chromium";
const SCENARIO = "Lerno_Castelbrum_Pusena";
const TRENO = "27364";

const esiti = [];
function verifica(nome, condizione, dettaglio) {
  esiti.push({ nome, ok: !!condizione });
  console.log(`${condizione ? "ok  " : "FAIL"} ${nome}${dettaglio ? " — " + dettaglio : ""}`);
}

const pausa = (ms) => new Promise((r) => setTimeout(r, ms));

// ---- Sources ------------------------------------------------------------------------------------

function sorgenti(cartella) {
  fs.mkdirSync(cartella, { recursive: true });
  execFileSync(strumento, ["sources", cartella], { stdio: "ignore" });
  return {
    linea: path.join(cartella, `${SCENARIO}_linea.txt`),
    treno: path.join(cartella, `${SCENARIO}_${TRENO}-.txt`),
  };
}

function leggi(file) {
  return fs.readFileSync(file, "latin1");
}

function scrivi(file, testo) {
  fs.writeFileSync(file, testo, "latin1");
}

// Station names as the author wrote them: the rest of each "stazione" row after its keyword
// and 16 numbers.
function nomiStazioni(treno) {
  const nomi = [];
  for (const riga of leggi(treno).split("\r\n")) {
    if (!/^stazione,/i.test(riga)) continue;
    nomi.push(riga.split(",").slice(17).join(",").trim());
  }
  return nomi;
}

// The built-in scenario stretched to the longest line allowed, with features all along it.
function allungaA1000km(f) {
  const caratteri = (n) => String(n).padStart(7, " ");
  let linea = leggi(f.linea).replace(/lunghezza percorso,\s*57000/, "lunghezza percorso,    1000000");
  const righeLinea = [];
  for (let m = 60000, n = 0; m < 990000; m += 10000, n++) {
    righeLinea.push(`curva${n % 2 ? "d" : "s"}${1 + (n % 6)}, ${caratteri(m)},  400`);
    righeLinea.push(`pendenza, ${caratteri(m + 3000)}, ${(n % 9) - 4}`);
    if (n % 2 === 0) righeLinea.push(`indicatori_vmax, ${caratteri(m + 5000)},  ${80 + (n % 4) * 10},  ${85 + (n % 4) * 10},  ${90 + (n % 4) * 10},  0,  ,  ,  ,  0`);
    if (n % 5 === 1) righeLinea.push(`cartello_indicatore, ${caratteri(m + 6000)}, (GALL.)(LUNGA ${n})`);
    if (n % 7 === 3) righeLinea.push(`montagna, ${caratteri(m + 1000)}, ${caratteri(m + 2500)}, 12`);
  }
  linea = linea.replace("[fine]", righeLinea.join("\r\n") + "\r\n[fine]");
  scrivi(f.linea, linea);

  let treno = leggi(f.treno);
  const velocita = [], stazioni = [], segnali = [];
  for (let m = 60000, n = 0; m < 990000; m += 15000, n++) velocita.push(`velocita, ${caratteri(m)}, ${80 + (n % 5) * 10}`);
  for (let m = 80000, n = 0; m <= 960000; m += 40000, n++) {
    const ore = 10 + Math.floor(n / 3);
    stazioni.push(`stazione, ${caratteri(m)}, 24,  300,  0, 0, 0,  0,0,0,  4,1,1,    0,  ${ore}, ${(n * 7) % 60}, 0, STAZIONE ${m / 1000}`);
  }
  for (let m = 60500; m < 995000; m += 3000) segnali.push(`segnale, ${caratteri(m)},   1, 4, 1,  0, 0,    2,  3,1,0, 0`);
  treno = treno.replace("[stazioni]", velocita.join("\r\n") + "\r\n[stazioni]");
  treno = treno.replace("[rallentamenti]", stazioni.join("\r\n") + "\r\n[rallentamenti]");
  treno = treno.replace("[codici]", segnali.join("\r\n") + "\r\n[codici]");
  scrivi(f.treno, treno);
}

// ---- The server ---------------------------------------------------------------------------------

function avvia(cartella, temporanea) {
  return new Promise((risolvi, rifiuta) => {
    const processo = spawn(strumento, ["serve", cartella, "--scenario", SCENARIO, "--train", TRENO], {
      env: Object.assign({}, process.env, { TMPDIR: temporanea }),
      stdio: ["ignore", "pipe", "pipe"],
    });
    let uscita = "";
    let errori = "";
    processo.stderr.on("data", (d) => { errori += d; });
    processo.stdout.on("data", (d) => {
      uscita += d;
      const a_capo = uscita.indexOf("\n");
      if (a_capo >= 0) risolvi({ processo, url: uscita.slice(0, a_capo), errori: () => errori });
    });
    processo.on("exit", (codice) => rifiuta(new Error(`serve ended with ${codice} before its address: ${errori}`)));
  });
}

function ferma(server) {
  return new Promise((risolvi) => {
    const inizio = Date.now();
    server.processo.removeAllListeners("exit");
    server.processo.on("exit", (codice, segnale) => risolvi({ codice, segnale, ms: Date.now() - inizio }));
    server.processo.kill("SIGINT");
  });
}

function richiestaConHost(url, host) {
  return new Promise((risolvi, rifiuta) => {
    const u = new URL(url);
    const r = http.request({ host: u.hostname, port: u.port, path: "/", headers: { Host: host } }, (risposta) => {
      risposta.resume();
      risolvi(risposta.statusCode);
    });
    r.on("error", rifiuta);
    r.end();
  });
}

// ---- In the page --------------------------------------------------------------------------------

const dueFotogrammi = () => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r)));

async function mostra(pagina, daKm, aKm) {
  await pagina.valuta((da, a) => {
    document.getElementById("da-km").value = da;
    document.getElementById("a-km").value = a;
    document.getElementById("intervallo").requestSubmit();
  }, String(daKm), String(aKm));
  await pagina.valuta(dueFotogrammi);
}

// Every label on the page: none may meet another, and each lies inside the viewport.
async function controllaEtichette(pagina, nome) {
  const esito = await pagina.valuta(() => {
    const rettangoli = [];
    for (const e of document.querySelectorAll(".etichetta")) {
      const r = e.getBoundingClientRect();
      if (r.width > 0 && r.height > 0) rettangoli.push({ testo: e.textContent, x0: r.left, y0: r.top, x1: r.right, y1: r.bottom });
    }
    const incroci = [];
    for (let i = 0; i < rettangoli.length; i++) {
      for (let j = i + 1; j < rettangoli.length; j++) {
        const a = rettangoli[i], b = rettangoli[j];
        if (a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1) incroci.push(`"${a.testo}" / "${b.testo}"`);
      }
    }
    const fuori = rettangoli.filter((r) => r.x0 < 0 || r.y0 < 0 || r.x1 > window.innerWidth || r.y1 > window.innerHeight).map((r) => `"${r.testo}"`);
    return { quante: rettangoli.length, incroci, fuori };
  });
  verifica(`${nome}: no two of ${esito.quante} labels intersect`, esito.quante > 0 && esito.incroci.length === 0, esito.incroci.slice(0, 3).join(", "));
  verifica(`${nome}: every label inside the viewport`, esito.fuori.length === 0, esito.fuori.slice(0, 3).join(", "));
}

async function vista(pagina) {
  return pagina.valuta(() => Object.assign({}, window.anteprima.vista));
}

// Frame times while the view is panned and zoomed: the time between animation frames, and the
// time the page spends drawing one.
async function tempiFotogrammi(pagina) {
  const riquadro = await pagina.riquadro("#disegno");
  const cx = riquadro.x + riquadro.larghezza / 2, cy = riquadro.y + 300;
  await pagina.valuta(() => {
    window.__fotogrammi = [];
    window.anteprima.tempiDisegno.length = 0;
    let prima = performance.now();
    const passo = (t) => { window.__fotogrammi.push(t - prima); prima = t; if (window.__fotogrammi.length < 100000) requestAnimationFrame(passo); };
    requestAnimationFrame(passo);
  });
  const unFotogramma = () => new Promise((r) => requestAnimationFrame(r));
  for (let i = 0; i < 30; i++) {
    await pagina.mouse.muovi(cx, cy);
    await pagina.mouse.rotella(i < 15 ? -120 : 120);
    await pagina.valuta(unFotogramma);
  }
  await pagina.mouse.muovi(cx, cy);
  await pagina.mouse.premi();
  for (let i = 0; i < 40; i++) {
    await pagina.mouse.muovi(cx + (i % 20 < 10 ? -1 : 1) * 15 * (i % 10), cy);
    await pagina.valuta(unFotogramma);
  }
  await pagina.mouse.rilascia();
  const { fotogrammi, disegni } = await pagina.valuta(() => ({ fotogrammi: window.__fotogrammi.slice(1), disegni: window.anteprima.tempiDisegno.slice() }));
  const centile = (a, p) => { const s = a.slice().sort((x, y) => x - y); return s.length ? s[Math.min(s.length - 1, Math.floor(p * s.length))] : NaN; };
  return { disegni: disegni.length, disegnoMediano: centile(disegni, 0.5), disegno95: centile(disegni, 0.95), fotogrammaMediano: centile(fotogrammi, 0.5), fotogramma95: centile(fotogrammi, 0.95) };
}

function testoMisure(m) {
  return `draw median ${m.disegnoMediano.toFixed(2)} ms, 95th ${m.disegno95.toFixed(2)} ms over ${m.disegni} frames; frame interval median ${m.fotogrammaMediano.toFixed(1)} ms, 95th ${m.fotogramma95.toFixed(1)} ms`;
}

async function nuovaPagina(browser, url) {
  const pagina = await browser.nuovaPagina(1500, 950);
  await pagina.vai(url);
  if (!(await pagina.attendi(() => !!(window.anteprima && window.anteprima.dati && window.anteprima.vista), 30000))) {
    throw new Error(`the page at ${url} showed no scenario within 30 s`);
  }
  await pagina.valuta(dueFotogrammi);
  return pagina;
}

// ---- The checks ---------------------------------------------------------------------------------

async function lineaIncorporata(browser, radice) {
  const cartella = path.join(radice, "incorporata");
  const temporanea = path.join(radice, "tmp-incorporata");
  fs.mkdirSync(temporanea);
  const f = sorgenti(cartella);
  const server = await avvia(cartella, temporanea);
  verifica("the first line of standard output is a loopback URL", /^http:\/\/127\.0\.0\.1:\d+\/$/.test(server.url), server.url);
  const porta = new URL(server.url).port;
  verifica("a request naming another host is refused", (await richiestaConHost(server.url, "esempio.invalid:" + porta)) === 403);
  verifica("a request naming localhost instead of the address is refused", (await richiestaConHost(server.url, "localhost:" + porta)) === 403);
  verifica("a request naming its own address and port is served", (await richiestaConHost(server.url, "127.0.0.1:" + porta)) === 200);

  const pagina = await nuovaPagina(browser, server.url);
  const erroriConsole = pagina.erroriConsole;
  await pagina.valuta(() => { window.__stessaPagina = true; });

  // Every station name, at the whole-line view.
  const nomi = nomiStazioni(f.treno);
  const mostrati = await pagina.valuta(() => [...document.querySelectorAll(".nome-stazione")].map((x) => x.textContent));
  const mancanti = nomi.filter((n) => !mostrati.some((t) => t.startsWith(n + " ·")));
  verifica(`every station name is shown (${nomi.length})`, nomi.length === 9 && mancanti.length === 0, mancanti.join(", "));

  // Labels at three zoom levels.
  await controllaEtichette(pagina, "built-in line, whole line");
  await mostra(pagina, 10, 20);
  await controllaEtichette(pagina, "built-in line, 10 km");
  await mostra(pagina, 4, 5);
  await controllaEtichette(pagina, "built-in line, 1 km");

  // Hover over the signal at 4150 m.
  await mostra(pagina, 3.5, 5);
  const segnale = await pagina.riquadro('path.segnale[data-m="4150"]');
  verifica("the signal at 4150 m is drawn", segnale !== null);
  if (segnale) {
    await pagina.mouse.muovi(segnale.x + segnale.larghezza / 2, segnale.y + segnale.altezza / 2);
    await pagina.attendi(() => !document.getElementById("suggerimento").hidden, 5000);
    const testo = await pagina.valuta(() => document.getElementById("suggerimento").innerText);
    verifica("hovering the signal shows cell 84", /cell 84\b/.test(testo), testo.split("\n")[0]);
    verifica("hovering the signal shows its unpacked values",
      /sx 1, s1 4, s2 1, s3 0, dx 2, d1 3, d2 1, d3 0, rapp 0, tempo 0/.test(testo));
    verifica("hovering the signal shows the cell's stored members",
      /tipo\s+1\s+signal/.test(testo) && /dato1\s+43/.test(testo) && /dato2\s+11/.test(testo) && /dato4\s+5/.test(testo) && /velocita\s+20/.test(testo));
    await pagina.mouse.muovi(5, 5);
  }

  // A renamed station appears without a reload, and the view stays where it was.
  await mostra(pagina, 5, 15);
  const prima = await vista(pagina);
  const treno = leggi(f.treno);
  const inizio = Date.now();
  scrivi(f.treno, treno.replace("DORVANO", "DORVANO NUOVA"));
  let ritardo = null;
  if (await pagina.attendi(() => [...document.querySelectorAll(".nome-stazione")].some((e) => e.textContent.startsWith("DORVANO NUOVA")), 10000)) {
    ritardo = Date.now() - inizio;
  }
  verifica("a renamed station shows its new name without a reload", ritardo !== null && (await pagina.valuta(() => window.__stessaPagina === true)),
    ritardo !== null ? `update delay ${ritardo} ms` : "not seen within 10 s");
  if (ritardo !== null) console.log(`MEASURE update delay after a save: ${ritardo} ms`);
  const dopo = await vista(pagina);
  verifica("an update keeps the zoom and position", Math.abs(dopo.da - prima.da) < 1e-6 && Math.abs(dopo.a - prima.a) < 1e-6,
    `${JSON.stringify(prima)} -> ${JSON.stringify(dopo)}`);

  // A planted error: a second signal in the cell of the one at 4150 m.
  await mostra(pagina, 27, 32);
  const conErrore = leggi(f.treno).replace("[codici]", "segnale,    4150,   1, 4, 1,  0, 0,    2,  3,1,0, 0\r\n[codici]");
  scrivi(f.treno, conErrore);
  const trovaVoce = () => [...document.querySelectorAll("#diagnostiche li")].findIndex((e) => e.textContent.includes("Errore 16"));
  const comparsa = await pagina.attendi(() => [...document.querySelectorAll("#diagnostiche li")].some((e) => e.textContent.includes("Errore 16")), 10000);
  verifica("a planted source error appears in the list", comparsa);
  if (comparsa) {
    const voce = `#diagnostiche li:nth-child(${(await pagina.valuta(trovaVoce)) + 1})`;
    const testo = await pagina.valuta((s) => document.querySelector(s).textContent, voce);
    verifica("the error gives its position and source row", /4150 m/.test(testo) && new RegExp(`${TRENO}-\\.txt:\\d+:1`).test(testo), testo);
    const stantio = await pagina.valuta(() => ({
      condizione: document.getElementById("condizione").className,
      disegno: document.getElementById("disegno").classList.contains("stantio"),
      segnali: document.querySelectorAll("path.segnale").length,
    }));
    verifica("the last good picture stays, marked stale", stantio.condizione === "stantia" && stantio.disegno && stantio.segnali > 0, JSON.stringify(stantio));
    const span = await pagina.valuta(() => window.anteprima.vista.a - window.anteprima.vista.da);
    await pagina.clicca(voce);
    await pagina.valuta(dueFotogrammi);
    const v = await vista(pagina);
    verifica("clicking the error centres the view on its position", Math.abs((v.da + v.a) / 2 - 4150) < 1 && Math.abs(v.a - v.da - span) < 1, JSON.stringify(v));
  }
  scrivi(f.treno, treno);
  verifica("a mended source clears the list and the stale mark",
    await pagina.attendi(() => document.getElementById("condizione").className === "viva" && document.querySelectorAll("#diagnostiche li").length === 0, 10000));

  const misure = await tempiFotogrammi(pagina);
  console.log(`MEASURE built-in line pan/zoom: ${testoMisure(misure)}`);

  if (schermata) {
    await mostra(pagina, 0, 22);
    const s = await pagina.riquadro('path.segnale[data-m="4150"]');
    if (s) {
      await pagina.mouse.muovi(s.x + s.larghezza / 2, s.y + s.altezza / 2);
      await pagina.attendi(() => !document.getElementById("suggerimento").hidden, 5000);
      await pagina.valuta(dueFotogrammi);
    }
    await pagina.schermata(schermata);
    console.log(`screenshot: ${schermata}`);
  }

  verifica("the page loads and runs with no console error", erroriConsole.length === 0, erroriConsole.slice(0, 3).join(" | "));
  await pagina.chiudi();

  const fine = await ferma(server);
  verifica("Ctrl-C stops the server with status 0", fine.codice === 0, `status ${fine.codice}, signal ${fine.segnale}, ${fine.ms} ms`);
  verifica("Ctrl-C leaves no temporary folder", fs.readdirSync(temporanea).length === 0, fs.readdirSync(temporanea).join(", "));
  verifica("the sources' folder holds only the sources", fs.readdirSync(cartella).sort().join(",") === [path.basename(f.treno), path.basename(f.linea)].sort().join(","),
    fs.readdirSync(cartella).join(", "));
}

async function lineaLunga(browser, radice) {
  const cartella = path.join(radice, "lunga");
  const temporanea = path.join(radice, "tmp-lunga");
  fs.mkdirSync(temporanea);
  const f = sorgenti(cartella);
  allungaA1000km(f);
  const server = await avvia(cartella, temporanea);
  const pagina = await nuovaPagina(browser, server.url);
  const erroriConsole = pagina.erroriConsole;
  const dati = await pagina.valuta(() => ({ lunghezza: window.anteprima.dati.lunghezza, segnali: window.anteprima.dati.segnali.length, diagnostiche: window.anteprima.diagnostiche.length }));
  verifica("the 1 000 000 m line compiles and is shown whole", dati.lunghezza === 1000000 && dati.diagnostiche === 0, JSON.stringify(dati));
  const byte = await pagina.valuta(() => fetch("/dati").then((r) => r.text()).then((t) => t.length));
  console.log(`MEASURE data of the 1 000 000 m line: ${byte} bytes of JSON`);

  await controllaEtichette(pagina, "1 000 000 m line, whole line");
  await mostra(pagina, 400, 450);
  await controllaEtichette(pagina, "1 000 000 m line, 50 km");
  await mostra(pagina, 600, 602);
  await controllaEtichette(pagina, "1 000 000 m line, 2 km");

  await mostra(pagina, 0, 1000);
  const misure = await tempiFotogrammi(pagina);
  console.log(`MEASURE 1 000 000 m line pan/zoom: ${testoMisure(misure)}`);
  verifica("the 1 000 000 m line runs with no console error", erroriConsole.length === 0, erroriConsole.slice(0, 3).join(" | "));
  // Stopped while the page is still open and listening for events.
  const fine = await ferma(server);
  verifica("Ctrl-C with the page open stops the server with status 0 and no temporary folder", fine.codice === 0 && fs.readdirSync(temporanea).length === 0,
    `status ${fine.codice}, ${fine.ms} ms`);
  await pagina.chiudi();
}

(async () => {
  if (!fs.existsSync(strumento)) throw new Error(`no scenario-tool at ${strumento}`);
  const radice = fs.mkdtempSync(path.join(os.tmpdir(), "prova-pagina-"));
  const browserAperto = await Browser.avvia(browser);
  try {
    await lineaIncorporata(browserAperto, radice);
    await lineaLunga(browserAperto, radice);
  } catch (e) {
    verifica("the checks ran to the end", false, e.stack || String(e));
  } finally {
    await browserAperto.chiudi();
    fs.rmSync(radice, { recursive: true, force: true });
  }
  const falliti = esiti.filter((e) => !e.ok).length;
  console.log(`${esiti.length - falliti} passed, ${falliti} failed`);
  process.exit(falliti === 0 ? 0 : 1);
})();
