// The live page of scenario-tool serve: one distance axis, every row of the compiled scenario,
// redrawn from compact data (runs and point lists) for the part in view only.
"use strict";

(function () {
  const SVG = "http://www.w3.org/2000/svg";
  const COLONNA = 150; // left of the axis: the names of the rows
  const MARGINE_DESTRO = 14;
  const SPAZIO_RIGHE = 8;
  const CARATTERE = "11px \"DejaVu Sans\", Verdana, Arial, sans-serif";
  const ALTEZZA_LIVELLO = 15; // one level of labels; the text box of 11 px is under 14 px
  const DISTANZA_ETICHETTE = 6; // free room kept between two labels on one level
  const SPAN_MINIMO = 200; // metres in view at the closest zoom

  // The rows, top to bottom: name, unit line, height, levels of labels.
  const RIGHE = [
    { chiave: "righello", nome: "distance", unita: "km · chainage", altezza: 40 },
    { chiave: "stazioni", nome: "stations", unita: "name · kind · time", altezza: 66 },
    { chiave: "pianta", nome: "plan", unita: "from the geometry", altezza: 120 },
    { chiave: "curve", nome: "curves", unita: "side, class, radius", altezza: 50 },
    { chiave: "pendenza", nome: "gradient", unita: "‰ (pendenza − 100)", altezza: 62 },
    { chiave: "velocita", nome: "speed limit", unita: "km/h, slowdowns", altezza: 76 },
    { chiave: "aderenza", nome: "adhesion", unita: "aderenza", altezza: 40 },
    { chiave: "segnali", nome: "signals", unita: "position, km", altezza: 50 },
    { chiave: "codici", nome: "cab signals", unita: "section, code points", altezza: 38 },
    { chiave: "cartelli_velocita", nome: "speed boards", unita: "A · B · C km/h", altezza: 48 },
    { chiave: "cartelli_testo", nome: "indication boards", unita: "text", altezza: 48 },
    { chiave: "montagne", nome: "mountains", unita: "montagna kind", altezza: 28 },
  ];

  const NOMI_TIPO = {
    0: "plain track",
    1: "signal",
    2: "end of a slowdown",
    3: "start of a slowdown",
    4: "slowdown warning board",
    5: "approach cell of a slowdown warning board",
    6: "maximum-speed board",
    10: "station stop mark",
    11: "mountain marker",
    12: "cab-code point",
    13: "cab-code point with code 0 or less",
    14: "indication board",
  };

  // What dato1..dato4 hold, by tipo.
  const DATI_PER_TIPO = {
    1: ["s1·10 + d1", "s2·10 + d2", "s3·10 + d3", "rapp·10 + sx·3 + dx"],
    2: ["slowdown speed, km/h", "d_v", "f_tt", ""],
    3: ["slowdown speed, km/h", "d_v", "f_tt", ""],
    4: ["slowdown speed, km/h", "d_v", "", ""],
    5: ["cells to the warning board", "the same when d_v is not 0", "", ""],
    6: ["A: 100·(s/5) + d/5", "B: 100·(s/5) + d/5", "C: 100·(s/5) + d/5", "stripes: s·10 + d"],
    10: ["index of the station in the record table", "", "", ""],
    12: ["code value", "", "", ""],
    14: ["index of the board text in the record table", "", "", ""],
  };

  const stato = {
    dati: null,
    versioneDati: 0,
    stantio: false,
    diagnostiche: [],
    vista: null, // { da, a } in metres from the start
    trascinamento: null,
    richiesto: false,
    mouse: null,
    tempiDisegno: [],
    aggiornamenti: [],
  };
  // For the browser checks and for anyone curious in the console.
  window.anteprima = stato;

  const disegno = document.getElementById("disegno");
  const suggerimento = document.getElementById("suggerimento");
  const misura = document.createElement("canvas").getContext("2d");
  const misuraGrassetto = document.createElement("canvas").getContext("2d");
  misura.font = CARATTERE;
  misuraGrassetto.font = "bold " + CARATTERE;
  const larghezze = new Map();

  // Measured with the font the labels are drawn in, so that the layout knows their real size.
  function larghezzaTesto(testo, grassetto) {
    const chiave = (grassetto ? "b" : "n") + testo;
    let l = larghezze.get(chiave);
    if (l === undefined) {
      l = (grassetto ? misuraGrassetto : misura).measureText(testo).width;
      if (larghezze.size > 20000) larghezze.clear();
      larghezze.set(chiave, l);
    }
    return l;
  }

  function esc(testo) {
    return String(testo).replace(/[&<>"']/g, (c) => ({ "&": "&amp;", "<": "&lt;", ">": "&gt;", "\"": "&quot;", "'": "&#39;" })[c]);
  }

  function km(metri, cifre) {
    const t = (metri / 1000).toFixed(cifre === undefined ? 3 : cifre);
    return t === "-0.000" ? "0.000" : t;
  }

  function n1(v) {
    return Math.round(v * 10) / 10;
  }

  // ---- Data lookups -------------------------------------------------------------------------

  // The first index whose value is greater than `valore` in an ascending array (by `chiave`).
  function dopo(elenco, valore, chiave) {
    let basso = 0;
    let alto = elenco.length;
    while (basso < alto) {
      const mezzo = (basso + alto) >> 1;
      if (chiave(elenco[mezzo]) <= valore) basso = mezzo + 1;
      else alto = mezzo;
    }
    return basso;
  }

  // The entries from `da` to `a` included, of a list in ascending order of `chiave`.
  function nelTratto(elenco, da, a, chiave) {
    return elenco.slice(dopo(elenco, da - 1e-9, chiave), dopo(elenco, a, chiave));
  }

  function valoreProfilo(tratti, cella) {
    const i = dopo(tratti, cella, (t) => t[0]) - 1;
    return i >= 0 ? tratti[i][1] : 0;
  }

  function sistemaProgressiva(metri) {
    const sistemi = stato.dati.progressive;
    let scelto = null;
    for (const s of sistemi) if (s.inizio <= metri) scelto = s;
    return scelto;
  }

  // The chainage shown at a position: the position plus the offset of the system in force.
  function progressiva(metri) {
    const s = sistemaProgressiva(metri);
    return s ? metri + s.scostamento : metri;
  }

  function cellaSparsa(n) {
    const celle = stato.dati.celle_sparse;
    const i = dopo(celle, n, (c) => c[0]) - 1;
    if (i >= 0 && celle[i][0] === n) return celle[i];
    return [n, 0, 0, 0, 0, 0, 0, 0];
  }

  // All 11 stored members of cell n, as the ".dat" file holds them.
  function membriCella(n) {
    const c = cellaSparsa(n);
    const p = stato.dati.profili;
    return {
      tipo: c[1], dato1: c[2], dato2: c[3], dato3: c[4], dato4: c[5], tempo: c[6], preavviso: c[7],
      montagna: valoreProfilo(p.montagna, n),
      velocita: valoreProfilo(p.velocita, n) / 5,
      pendenza: valoreProfilo(p.pendenza, n) + 100,
      aderenza: valoreProfilo(p.aderenza, n),
    };
  }

  function significato(membro, valore, tipo) {
    switch (membro) {
      case "tipo": return NOMI_TIPO[valore] || "not a known kind";
      case "dato1": case "dato2": case "dato3": case "dato4": {
        const i = Number(membro.slice(4)) - 1;
        const elenco = DATI_PER_TIPO[tipo];
        return elenco ? elenco[i] : "";
      }
      case "tempo": return "signal time value";
      case "preavviso": return valore ? "approach mark before a signal or a stop" : "no approach mark";
      case "montagna": return valore ? "scenery kind" : "no mountain";
      case "velocita": return "speed limit ÷ 5 = " + valore * 5 + " km/h";
      case "pendenza": return "gradient + 100 = " + (valore - 100) + " ‰";
      case "aderenza": return "adhesion";
    }
    return "";
  }

  // ---- The axis --------------------------------------------------------------------------------

  function lunghezzaVista() {
    const d = stato.dati;
    let fine = d.lunghezza;
    for (const s of d.stazioni) fine = Math.max(fine, s.fine);
    return Math.max(fine, SPAN_MINIMO);
  }

  function geometria() {
    const larghezza = disegno.clientWidth;
    const sinistra = COLONNA;
    const destra = Math.max(sinistra + 50, larghezza - MARGINE_DESTRO);
    const v = stato.vista;
    const scala = (destra - sinistra) / (v.a - v.da);
    return {
      larghezza, sinistra, destra, scala,
      x: (m) => sinistra + (m - v.da) * scala,
      metri: (x) => v.da + (x - sinistra) / scala,
    };
  }

  function imposta(da, a) {
    const totale = lunghezzaVista();
    let span = Math.min(Math.max(a - da, SPAN_MINIMO), totale);
    let centro = (da + a) / 2;
    da = centro - span / 2;
    if (da < 0) da = 0;
    if (da + span > totale) da = totale - span;
    stato.vista = { da, a: da + span };
    richiedi();
  }

  function zoom(fattore, intorno) {
    const v = stato.vista;
    const perno = intorno === undefined ? (v.da + v.a) / 2 : intorno;
    imposta(perno - (perno - v.da) * fattore, perno + (v.a - perno) * fattore);
  }

  function centra(metri) {
    const v = stato.vista;
    const span = v.a - v.da;
    imposta(metri - span / 2, metri + span / 2);
  }

  function passoTondo(minimo) {
    const potenza = Math.pow(10, Math.floor(Math.log10(minimo)));
    for (const f of [1, 2, 5, 10]) if (f * potenza >= minimo) return f * potenza;
    return 10 * potenza;
  }

  // ---- Labels ------------------------------------------------------------------------------------

  // Places labels on a few levels of one row: the most important first, each at the first level
  // where it meets no other label, shifted to stay inside the axis; one that finds no level is
  // left out at this zoom.
  function disponi(candidati, livelli, sinistra, destra) {
    const occupati = [];
    for (let i = 0; i < livelli; i++) occupati.push([]);
    const ordinati = candidati.slice().sort((p, q) => q.priorita - p.priorita || p.x - q.x);
    const posti = [];
    for (const c of ordinati) {
      const w = larghezzaTesto(c.testo, c.grassetto);
      if (w > destra - sinistra) continue;
      let x0 = c.allineamento === "inizio" ? c.x : c.x - w / 2;
      x0 = Math.min(Math.max(x0, sinistra), destra - w);
      const x1 = x0 + w;
      for (let l = 0; l < livelli; l++) {
        const liv = occupati[l];
        const i = dopo(liv, x0, (s) => s[0]);
        const prima = i > 0 ? liv[i - 1] : null;
        const poi = i < liv.length ? liv[i] : null;
        if ((prima && prima[1] + DISTANZA_ETICHETTE > x0) || (poi && poi[0] < x1 + DISTANZA_ETICHETTE)) continue;
        liv.splice(i, 0, [x0, x1]);
        posti.push({ c, x0, livello: l });
        break;
      }
    }
    return posti;
  }

  function etichette(out, posti, yLivello0, colore, classeExtra) {
    for (const p of posti) {
      const y = yLivello0 + p.livello * ALTEZZA_LIVELLO;
      out.push(`<text class="etichetta${classeExtra ? " " + classeExtra : ""}" x="${n1(p.x0)}" y="${n1(y)}" fill="${p.c.colore || colore}" font-size="11"${p.c.grassetto ? " font-weight=\"bold\"" : ""} data-m="${p.c.metro !== undefined ? p.c.metro : ""}">${esc(p.c.testo)}</text>`);
    }
  }

  // ---- The rows ------------------------------------------------------------------------------------

  function righello(out, g, y, h) {
    const v = stato.vista;
    const tra = passoTondo((v.a - v.da) / ((g.destra - g.sinistra) / 90));
    const candidati = [];
    const catene = [];
    out.push(`<line x1="${g.sinistra}" y1="${y + 3}" x2="${g.destra}" y2="${y + 3}" stroke="#333"/>`);
    const cifre = tra >= 1000 ? 0 : tra >= 100 ? 1 : tra >= 10 ? 2 : 3;
    for (let m = Math.ceil(v.da / tra) * tra; m <= v.a + 1e-6; m += tra) {
      const x = g.x(m);
      out.push(`<line x1="${n1(x)}" y1="${y + 3}" x2="${n1(x)}" y2="${y + 8}" stroke="#333"/>`);
      candidati.push({ x, testo: km(m, cifre), priorita: 1, metro: m });
      catene.push({ x, testo: "ch " + km(progressiva(m), 3), priorita: 1, colore: "#6a4c93", metro: m });
    }
    // Where a chainage system begins, the chainage jumps: mark it, never hide it.
    for (const s of stato.dati.progressive) {
      if (s.inizio <= v.da || s.inizio > v.a) continue;
      const x = g.x(s.inizio);
      out.push(`<line x1="${n1(x)}" y1="${y}" x2="${n1(x)}" y2="${y + h}" stroke="#6a4c93" stroke-dasharray="3,2"/>`);
      catene.push({ x, testo: "ch " + km(progressiva(s.inizio), 3) + " from here", priorita: 5, colore: "#6a4c93", allineamento: "inizio", metro: s.inizio });
    }
    etichette(out, disponi(candidati, 1, g.sinistra, g.destra), y + 20, "#222");
    etichette(out, disponi(catene, 1, g.sinistra, g.destra), y + 35, "#6a4c93");
  }

  function rettangolo(out, x1, x2, y, h, attributi) {
    const l = Math.max(x2 - x1, 0.8);
    out.push(`<rect x="${n1(x1)}" y="${n1(y)}" width="${n1(l)}" height="${n1(h)}" ${attributi}/>`);
  }

  function taglia(g, m) {
    return Math.min(Math.max(g.x(m), g.sinistra - 2), g.destra + 2);
  }

  function stazioniRiga(out, g, y, h) {
    const v = stato.vista;
    const fascia = y + h - 12;
    const candidati = [];
    for (const s of stato.dati.stazioni) {
      if (s.fine >= v.da && s.inizio <= v.a) {
        rettangolo(out, taglia(g, Math.max(s.inizio, 0)), taglia(g, s.fine), fascia, 10, "fill=\"#aec6e8\"");
      }
      if (s.posizione < v.da || s.posizione > v.a) continue;
      const x = g.x(s.posizione);
      out.push(`<line class="stazione" data-m="${s.posizione}" x1="${n1(x)}" y1="${fascia - 3}" x2="${n1(x)}" y2="${y + h}" stroke="#1f4e9c" stroke-width="2"/>`);
      candidati.push({ x, testo: `${s.nome} · ${s.tipo} · ${s.orario}`, priorita: s.tipo < 25 ? 20 : 15, colore: "#1f4e9c", grassetto: true, metro: s.posizione });
    }
    etichette(out, disponi(candidati, 3, g.sinistra, g.destra), y + 11, "#1f4e9c", "nome-stazione");
  }

  function pianta(out, g, y, h) {
    const p = stato.dati.pianta;
    if (!p || p.metri.length < 2) {
      out.push(`<text class="etichetta" x="${g.sinistra + 4}" y="${y + 20}" font-size="11" fill="#666">No geometry: compiled with --no-line.</text>`);
      return;
    }
    const v = stato.vista;
    const i0 = Math.max(0, dopo(p.metri, v.da, (m) => m) - 1);
    const i1 = Math.min(p.metri.length - 1, dopo(p.metri, v.a, (m) => m));
    if (i1 <= i0) return;
    // Turned so that the part in view runs from left to right, to scale, centred in the row.
    const ax = p.x[i0], ay = p.y[i0], bx = p.x[i1], by = p.y[i1];
    const angolo = Math.hypot(bx - ax, by - ay) > 1 ? Math.atan2(by - ay, bx - ax) : 0;
    const co = Math.cos(angolo), se = Math.sin(angolo);
    // About one point per pixel: more would not show, and each costs time on every frame.
    const passo = Math.max(1, Math.floor((i1 - i0) / (g.destra - g.sinistra)));
    const u = [], w = [];
    let umin = Infinity, umax = -Infinity, wmin = Infinity, wmax = -Infinity;
    for (let i = i0; ; i += passo) {
      if (i > i1) i = i1;
      const dx = p.x[i] - ax, dy = p.y[i] - ay;
      const uu = dx * co + dy * se, ww = -dx * se + dy * co;
      u.push(uu); w.push(ww);
      umin = Math.min(umin, uu); umax = Math.max(umax, uu); wmin = Math.min(wmin, ww); wmax = Math.max(wmax, ww);
      if (i === i1) break;
    }
    const du = Math.max(umax - umin, 1), dw = Math.max(wmax - wmin, 1);
    const scala = Math.min((g.destra - g.sinistra) / du, (h - 16) / dw);
    const x0 = g.sinistra + ((g.destra - g.sinistra) - du * scala) / 2 - umin * scala;
    const y0 = y + (h - dw * scala) / 2 + wmax * scala;
    const punti = [];
    for (let i = 0; i < u.length; i++) punti.push(n1(x0 + u[i] * scala) + "," + n1(y0 - w[i] * scala));
    out.push(`<polyline points="${punti.join(" ")}" fill="none" stroke="#333" stroke-width="2.2" stroke-linejoin="round"/>`);
    const inPianta = (m) => {
      const k = Math.min(Math.max(dopo(p.metri, m, (q) => q) - 1, 0), p.metri.length - 1);
      const dx = p.x[k] - ax, dy = p.y[k] - ay;
      return [x0 + (dx * co + dy * se) * scala, y0 - (-dx * se + dy * co) * scala];
    };
    // All the signals as one path of dots: one element however many are in view.
    let punti_segnali = "";
    for (const s of nelTratto(stato.dati.segnali, v.da, v.a, (q) => q.metro)) {
      const [px, py] = inPianta(s.metro);
      punti_segnali += `M${n1(px)},${n1(py)}h0`;
    }
    if (punti_segnali) out.push(`<path d="${punti_segnali}" stroke="#c0392b" stroke-width="5.2" stroke-linecap="round"/>`);
    for (const s of stato.dati.stazioni) {
      if (s.posizione < v.da || s.posizione > v.a) continue;
      const [px, py] = inPianta(s.posizione);
      out.push(`<circle cx="${n1(px)}" cy="${n1(py)}" r="5" fill="#1f4e9c" stroke="#fff"/>`);
    }
  }

  function curveRiga(out, g, y, h) {
    const v = stato.vista;
    const centro = y + 14 + (h - 14) / 2; // under the labels' level
    out.push(`<line x1="${g.sinistra}" y1="${centro}" x2="${g.destra}" y2="${centro}" stroke="#bbb"/>`);
    const candidati = [];
    for (const c of nelTratto(stato.dati.curve, v.da, v.a, (c) => c.fine)) {
      if (c.inizio > v.a) break;
      const x1 = taglia(g, c.inizio), x2 = taglia(g, c.fine);
      const alto = 4 + c.classe * 2;
      // Left-hand curves above the line, right-hand ones below.
      rettangolo(out, x1, x2, c.lato === "s" ? centro - alto : centro, alto, c.lato === "s" ? "fill=\"#8e7cc3\"" : "fill=\"#e69138\"");
      candidati.push({ x: (x1 + x2) / 2, testo: `${c.lato === "s" ? "left" : "right"} ${c.classe} · R ${c.raggio} m`, priorita: c.classe, metro: c.inizio });
    }
    etichette(out, disponi(candidati, 1, g.sinistra, g.destra), y + 11, "#444");
  }

  // Runs of one profile in view as [x1, x2, value]; where runs are denser than the pixels they
  // are merged into one per pixel, keeping the extreme value.
  function trattiInVista(g, tratti) {
    const v = stato.vista;
    const celle = stato.dati.celle;
    const primo = Math.max(0, dopo(tratti, Math.floor(v.da / 50), (t) => t[0]) - 1);
    const risultato = [];
    for (let i = primo; i < tratti.length; i++) {
      const da = tratti[i][0] * 50;
      if (da > v.a) break;
      const a = (i + 1 < tratti.length ? tratti[i + 1][0] : celle) * 50;
      const x1 = taglia(g, Math.max(da, 0)), x2 = taglia(g, a);
      const val = tratti[i][1];
      const ultimo = risultato[risultato.length - 1];
      if (ultimo && x2 - ultimo[0] < 1) {
        ultimo[1] = x2;
        if (Math.abs(val) > Math.abs(ultimo[2])) ultimo[2] = val;
      } else {
        risultato.push([x1, x2, val]);
      }
    }
    return risultato;
  }

  function scalaValori(out, g, y, h, minimo, massimo, valori) {
    for (const val of valori) {
      const yy = y + h - (val - minimo) / (massimo - minimo) * h;
      out.push(`<line x1="${g.sinistra}" y1="${n1(yy)}" x2="${g.destra}" y2="${n1(yy)}" stroke="#e6e6e6"/>`);
    }
  }

  function pendenzaRiga(out, g, y, h) {
    const tratti = trattiInVista(g, stato.dati.profili.pendenza);
    let ripida = 5;
    for (const t of tratti) ripida = Math.max(ripida, Math.abs(t[2]));
    const cima = Math.ceil(ripida / 5) * 5;
    const zero = y + h / 2;
    scalaValori(out, g, y + 2, h - 4, -cima, cima, [-cima, cima]);
    let su = `M${n1(tratti.length ? tratti[0][0] : g.sinistra)},${zero}`;
    let giu = su;
    const candidati = [];
    for (const t of tratti) {
      const alto = t[2] / cima * (h / 2 - 2);
      su += ` V${n1(zero - Math.max(alto, 0))} H${n1(t[1])}`;
      giu += ` V${n1(zero - Math.min(alto, 0))} H${n1(t[1])}`;
      const testo = String(t[2]);
      // Each value sits over its own run, so only runs wide enough carry one.
      if (t[2] !== 0 && t[1] - t[0] >= larghezzaTesto(testo) + 4) {
        candidati.push({ x: (t[0] + t[1]) / 2, testo, priorita: Math.abs(t[2]) });
      }
    }
    out.push(`<path d="${su} V${zero} Z" fill="#d98880"/>`);
    out.push(`<path d="${giu} V${zero} Z" fill="#7fb3d5"/>`);
    out.push(`<line x1="${g.sinistra}" y1="${zero}" x2="${g.destra}" y2="${zero}" stroke="#555"/>`);
    etichette(out, disponi(candidati, 1, g.sinistra, g.destra), y + 11, "#444");
  }

  function gradini(out, tratti, y, h, cima, colore) {
    if (!tratti.length) return;
    let d = `M${n1(tratti[0][0])},${n1(y + h - Math.min(tratti[0][2], cima) / cima * h)}`;
    for (const t of tratti) d += ` V${n1(y + h - Math.min(t[2], cima) / cima * h)} H${n1(t[1])}`;
    out.push(`<path d="${d}" fill="none" stroke="${colore}" stroke-width="2" stroke-linejoin="round"/>`);
  }

  function velocitaRiga(out, g, y, h) {
    const v = stato.vista;
    const tratti = trattiInVista(g, stato.dati.profili.velocita);
    let massimo = 50;
    for (const t of tratti) massimo = Math.max(massimo, t[2]);
    const passo = massimo > 200 ? 100 : 50;
    const cima = Math.ceil((massimo + 5) / passo) * passo;
    const alto = y + 14, altezza = h - 16;
    scalaValori(out, g, alto, altezza, 0, cima, [0, cima / 2, cima]);
    const candidati = [];
    for (const r of stato.dati.rallentamenti) {
      if (r.fine < v.da || r.inizio > v.a) continue;
      const x1 = taglia(g, r.inizio), x2 = taglia(g, Math.max(r.fine, r.inizio + 1));
      const yy = alto + altezza - Math.min(r.velocita, cima) / cima * altezza;
      rettangolo(out, x1, x2, alto, altezza, "fill=\"#e67e22\" opacity=\"0.18\"");
      out.push(`<line x1="${n1(x1)}" y1="${n1(yy)}" x2="${n1(x2)}" y2="${n1(yy)}" stroke="#e67e22" stroke-width="3"/>`);
      candidati.push({ x: x1, testo: `slowdown ${r.velocita} km/h`, priorita: 10, colore: "#b9570b", allineamento: "inizio", metro: r.inizio });
    }
    for (const w of stato.dati.avvisi) {
      if (w.metro < v.da || w.metro > v.a) continue;
      const x = g.x(w.metro);
      rettangolo(out, x - 3, x + 3, alto + altezza - 10, 10, "fill=\"#e67e22\"");
      candidati.push({ x, testo: `warning ${w.velocita}`, priorita: 4, colore: "#b9570b", metro: w.metro });
    }
    gradini(out, tratti, alto, altezza, cima, "#1f77b4");
    let precedente = null;
    for (const t of tratti) {
      if (t[2] !== precedente) candidati.push({ x: t[0], testo: `${t[2]}`, priorita: 2, colore: "#1f77b4", allineamento: "inizio" });
      precedente = t[2];
    }
    etichette(out, disponi(candidati, 1, g.sinistra, g.destra), y + 11, "#1f77b4");
  }

  function aderenzaRiga(out, g, y, h) {
    const tratti = trattiInVista(g, stato.dati.profili.aderenza);
    let massimo = 100;
    for (const t of tratti) massimo = Math.max(massimo, t[2]);
    const cima = Math.ceil(massimo / 50) * 50;
    scalaValori(out, g, y + 14, h - 16, 0, cima, [0, cima]);
    gradini(out, tratti, y + 14, h - 16, cima, "#2e8b57");
    const candidati = [];
    let precedente = null;
    for (const t of tratti) {
      if (t[2] !== precedente) candidati.push({ x: t[0], testo: `${t[2]}`, priorita: 1, allineamento: "inizio" });
      precedente = t[2];
    }
    etichette(out, disponi(candidati, 1, g.sinistra, g.destra), y + 11, "#2e8b57");
  }

  function segnaliRiga(out, g, y, h) {
    const v = stato.vista;
    const base = y + h - 4;
    const candidati = [];
    const inVista = nelTratto(stato.dati.segnali, v.da, v.a, (s) => s.metro);
    // One element per signal while they are few enough to point at; beyond that one path for
    // all of them, which the browser draws far faster.
    const insieme = inVista.length > 150;
    let d = "";
    for (const s of inVista) {
      const x = g.x(s.metro);
      if (insieme) d += `M${n1(x)},${base - 11}l5,11h-10z`;
      else out.push(`<path class="segnale" data-m="${s.metro}" d="M${n1(x)},${base - 11} l5,11 h-10 z" fill="#c0392b"/>`);
      candidati.push({ x, testo: km(s.metro, 3), priorita: 3, colore: "#c0392b", metro: s.metro });
    }
    if (d) out.push(`<path d="${d}" fill="#c0392b"/>`);
    etichette(out, disponi(candidati, 2, g.sinistra, g.destra), y + 11, "#c0392b");
  }

  function codiciRiga(out, g, y, h) {
    const v = stato.vista;
    const r = stato.dati.ripetizione;
    const candidati = [];
    if (r.fine > r.inizio && r.fine >= v.da && r.inizio <= v.a) {
      const x1 = taglia(g, r.inizio), x2 = taglia(g, r.fine);
      rettangolo(out, x1, x2, y + h - 14, 10, "fill=\"#c9d6e3\"");
      candidati.push({ x: Math.max(x1, g.sinistra), testo: `cab signals, ${r.codici} codes`, priorita: 6, colore: "#556677", allineamento: "inizio", metro: r.inizio });
    }
    for (const p of nelTratto(stato.dati.punti_codice, v.da, v.a, (p) => p.metro)) {
      const x = g.x(p.metro);
      rettangolo(out, x - 1, x + 1, y + h - 18, 16, `fill="${p.nullo ? "#95a5a6" : "#34495e"}"`);
      candidati.push({ x, testo: p.nullo ? "null" : String(p.valore), priorita: 2, colore: "#34495e", metro: p.metro });
    }
    etichette(out, disponi(candidati, 1, g.sinistra, g.destra), y + 11, "#34495e");
  }

  function testoCartelloVelocita(c) {
    const uguali = c.s.every((val, i) => val === c.d[i]) || c.d.every((val) => val === 0);
    if (uguali) return `A ${c.s[0]} · B ${c.s[1]} · C ${c.s[2]}`;
    return `A ${c.s[0]}/${c.d[0]} · B ${c.s[1]}/${c.d[1]} · C ${c.s[2]}/${c.d[2]}`;
  }

  function cartelliVelocitaRiga(out, g, y, h) {
    const v = stato.vista;
    const candidati = [];
    for (const c of nelTratto(stato.dati.cartelli_velocita, v.da, v.a, (c) => c.metro)) {
      const x = g.x(c.metro);
      rettangolo(out, x - 2.5, x + 2.5, y + h - 14, 12, "fill=\"#222\"");
      candidati.push({ x, testo: testoCartelloVelocita(c), priorita: 2, metro: c.metro });
    }
    etichette(out, disponi(candidati, 2, g.sinistra, g.destra), y + 11, "#222");
  }

  function cartelliTestoRiga(out, g, y, h) {
    const v = stato.vista;
    const candidati = [];
    for (const c of nelTratto(stato.dati.cartelli_testo, v.da, v.a, (c) => c.metro)) {
      const x = g.x(c.metro);
      out.push(`<line x1="${n1(x)}" y1="${y + h - 14}" x2="${n1(x)}" y2="${y + h - 2}" stroke="#7b3fa0" stroke-width="2"/>`);
      if (c.testo) candidati.push({ x, testo: c.testo, priorita: 2, metro: c.metro });
    }
    etichette(out, disponi(candidati, 2, g.sinistra, g.destra), y + 11, "#5b2c6f");
  }

  function montagneRiga(out, g, y, h) {
    const tratti = trattiInVista(g, stato.dati.profili.montagna);
    const candidati = [];
    for (const t of tratti) {
      if (!t[2]) continue;
      rettangolo(out, t[0], t[1], y + 2, h - 4, "fill=\"#a1887f\"");
      const testo = String(t[2]);
      if (t[1] - t[0] >= larghezzaTesto(testo) + 4) candidati.push({ x: (t[0] + t[1]) / 2, testo, priorita: 1 });
    }
    etichette(out, disponi(candidati, 1, g.sinistra, g.destra), y + h / 2 + 4, "#fff");
  }

  const DISEGNATORI = {
    righello, stazioni: stazioniRiga, pianta, curve: curveRiga, pendenza: pendenzaRiga,
    velocita: velocitaRiga, aderenza: aderenzaRiga, segnali: segnaliRiga, codici: codiciRiga,
    cartelli_velocita: cartelliVelocitaRiga, cartelli_testo: cartelliTestoRiga, montagne: montagneRiga,
  };

  // ---- Drawing ---------------------------------------------------------------------------------------

  function richiedi() {
    if (stato.richiesto) return;
    stato.richiesto = true;
    requestAnimationFrame(() => {
      stato.richiesto = false;
      disegna();
    });
  }

  function disegna() {
    if (!stato.dati || !stato.vista) return;
    const inizio = performance.now();
    const g = geometria();
    const out = [];
    let y = 6;
    out.push("<defs>");
    let yy = y;
    for (const r of RIGHE) {
      // Each row draws inside its own box; shapes that run past the view are cut at its edges.
      out.push(`<clipPath id="riga-${r.chiave}"><rect x="${g.sinistra}" y="${yy}" width="${n1(g.destra - g.sinistra)}" height="${r.altezza}"/></clipPath>`);
      yy += r.altezza + SPAZIO_RIGHE;
    }
    out.push("</defs><g class=\"righe\">");
    for (const r of RIGHE) {
      out.push(`<rect x="${g.sinistra}" y="${y}" width="${n1(g.destra - g.sinistra)}" height="${r.altezza}" fill="none" stroke="#e2e4e8"/>`);
      out.push(`<text class="etichetta nome-riga" x="8" y="${y + 15}" font-size="11" font-weight="bold" fill="#222">${esc(r.nome)}</text>`);
      if (r.unita) out.push(`<text class="etichetta nome-riga" x="8" y="${y + 30}" font-size="11" fill="#777">${esc(r.unita)}</text>`);
      out.push(`<g class="riga" data-riga="${r.chiave}" clip-path="url(#riga-${r.chiave})">`);
      DISEGNATORI[r.chiave](out, g, y, r.altezza);
      out.push("</g>");
      y += r.altezza + SPAZIO_RIGHE;
    }
    out.push("</g>");
    if (stato.mouse !== null && stato.mouse >= g.sinistra && stato.mouse <= g.destra) {
      out.push(`<line x1="${n1(stato.mouse)}" y1="4" x2="${n1(stato.mouse)}" y2="${y}" stroke="#111" stroke-opacity="0.35"/>`);
    }
    // Everything outside the axis is cut off, except the row names.
    disegno.innerHTML = out.join("");
    disegno.classList.toggle("stantio", stato.stantio);
    aggiornaIntervallo();
    stato.tempiDisegno.push(performance.now() - inizio);
    if (stato.tempiDisegno.length > 600) stato.tempiDisegno.splice(0, 300);
  }

  function aggiornaIntervallo() {
    const v = stato.vista;
    const da = document.getElementById("da-km");
    const a = document.getElementById("a-km");
    if (document.activeElement !== da) da.value = km(v.da, 3);
    if (document.activeElement !== a) a.value = km(v.a, 3);
    document.getElementById("scala").textContent = `${km(v.a - v.da, 3)} km in view`;
  }

  // ---- Hover -------------------------------------------------------------------------------------

  // The feature nearest to the pointer, within a few pixels, so that a signal or a board is easy
  // to hit at any zoom.
  function vicino(g, x) {
    const m = g.metri(x);
    const raggio = 7 / g.scala;
    const d = stato.dati;
    const gruppi = [
      ["signal", d.segnali], ["maximum-speed board", d.cartelli_velocita],
      ["indication board", d.cartelli_testo], ["cab-code point", d.punti_codice],
      ["slowdown warning board", d.avvisi],
    ];
    let migliore = null;
    for (const [nome, elenco] of gruppi) {
      for (const e of nelTratto(elenco, m - raggio, m + raggio, (q) => q.metro)) {
        const distanza = Math.abs(e.metro - m);
        if (!migliore || distanza < migliore.distanza) migliore = { nome, e, distanza };
      }
    }
    for (const s of d.stazioni) {
      const distanza = Math.abs(s.posizione - m);
      if (distanza <= raggio && (!migliore || distanza < migliore.distanza)) migliore = { nome: "station", e: Object.assign({ metro: s.posizione }, s), distanza };
    }
    return migliore;
  }

  function tabellaMembri(n) {
    const c = membriCella(n);
    let righe = "";
    for (const [membro, valore] of Object.entries(c)) {
      righe += `<tr><td class="membro">${membro}</td><td>${valore}</td><td>${esc(significato(membro, valore, c.tipo))}</td></tr>`;
    }
    return `<table>${righe}</table>`;
  }

  function descriviElemento(trovato) {
    const e = trovato.e;
    switch (trovato.nome) {
      case "signal":
        return `signal at ${e.metro} m: sx ${e.sx}, s1 ${e.s1}, s2 ${e.s2}, s3 ${e.s3}, dx ${e.dx}, d1 ${e.d1}, d2 ${e.d2}, d3 ${e.d3}, rapp ${e.rapp}, tempo ${e.tempo}`;
      case "maximum-speed board":
        return `maximum-speed board at ${e.metro} m: s set A ${e.s[0]}, B ${e.s[1]}, C ${e.s[2]} km/h, ${e.strisce_s} stripes; d set A ${e.d[0]}, B ${e.d[1]}, C ${e.d[2]} km/h, ${e.strisce_d} stripes`;
      case "indication board":
        return `indication board at ${e.metro} m: ${e.testo}`;
      case "cab-code point":
        return `cab-code point at ${e.metro} m: ${e.nullo ? "null (code 0 or less)" : "code " + e.valore}`;
      case "slowdown warning board":
        return `slowdown warning board at ${e.metro} m: ${e.velocita} km/h`;
      case "station":
        return `station ${e.nome} (record ${e.indice}): kind ${e.tipo}, at ${e.posizione} m, zone ${e.inizio}–${e.fine} m, time ${e.orario}`;
    }
    return "";
  }

  function mostraSuggerimento(evento) {
    const g = geometria();
    const riquadro = disegno.getBoundingClientRect();
    const x = evento.clientX - riquadro.left;
    if (x < g.sinistra || x > g.destra || !stato.dati) {
      nascondiSuggerimento();
      return;
    }
    const trovato = vicino(g, x);
    const m = trovato ? trovato.e.metro : Math.round(g.metri(x));
    stato.mouse = g.x(m);
    richiedi();
    const punto = Math.floor(m / 50) + 1; // where signals and boards at m are stored
    const profilo = Math.floor(m / 50); // where the profiles of m are stored
    const sistema = sistemaProgressiva(m);
    let html = `<div><b>${m} m</b> from the start · chainage km ${km(progressiva(m), 3)}`;
    if (sistema) html += ` (system of record ${sistema.record}, from ${sistema.inizio} m)`;
    html += "</div>";
    if (trovato) html += `<div class="elemento">${esc(descriviElemento(trovato))}</div>`;
    const ultima = stato.dati.celle - 1;
    if (punto <= ultima) {
      html += `<h3>cell ${punto} · ${(punto - 1) * 50}–${punto * 50} m, where signals and boards stand</h3>${tabellaMembri(punto)}`;
    }
    if (profilo !== punto && profilo <= ultima) {
      const c = membriCella(profilo);
      html += `<h3>cell ${profilo} · profiles of ${profilo * 50}–${profilo * 50 + 50} m</h3><table>` +
        ["velocita", "pendenza", "aderenza", "montagna"].map((k) => `<tr><td class="membro">${k}</td><td>${c[k]}</td><td>${esc(significato(k, c[k], c.tipo))}</td></tr>`).join("") + "</table>";
    }
    suggerimento.innerHTML = html;
    suggerimento.hidden = false;
    // Kept inside the picture, on the side of the pointer with more room.
    const quadro = suggerimento.parentElement.getBoundingClientRect();
    const l = suggerimento.offsetWidth, a = suggerimento.offsetHeight;
    let sx = evento.clientX - quadro.left + 16;
    if (sx + l > quadro.width - 4) sx = evento.clientX - quadro.left - l - 16;
    let sy = evento.clientY - quadro.top + 16;
    if (sy + a > quadro.height - 4) sy = Math.max(4, quadro.height - a - 4);
    suggerimento.style.left = Math.max(4, sx) + "px";
    suggerimento.style.top = sy + "px";
  }

  function nascondiSuggerimento() {
    suggerimento.hidden = true;
    if (stato.mouse !== null) {
      stato.mouse = null;
      richiedi();
    }
  }

  // ---- Pointer, wheel and the controls -------------------------------------------------------------

  disegno.addEventListener("wheel", (evento) => {
    if (!stato.vista) return;
    evento.preventDefault();
    const g = geometria();
    const x = evento.clientX - disegno.getBoundingClientRect().left;
    const perno = x >= g.sinistra && x <= g.destra ? g.metri(x) : undefined;
    // A pinch on a touchpad arrives as a wheel with ctrlKey and small steps.
    const passo = evento.deltaMode === 1 ? evento.deltaY * 30 : evento.deltaY;
    zoom(Math.exp(passo * (evento.ctrlKey ? 0.01 : 0.0015)), perno);
  }, { passive: false });

  disegno.addEventListener("pointerdown", (evento) => {
    if (!stato.vista || evento.button !== 0) return;
    disegno.setPointerCapture(evento.pointerId);
    stato.trascinamento = { x: evento.clientX, vista: Object.assign({}, stato.vista) };
    disegno.classList.add("trascina");
  });
  disegno.addEventListener("pointermove", (evento) => {
    if (stato.trascinamento) {
      const g = geometria();
      const t = stato.trascinamento;
      const spostamento = (evento.clientX - t.x) / g.scala;
      imposta(t.vista.da - spostamento, t.vista.a - spostamento);
      nascondiSuggerimento();
      return;
    }
    mostraSuggerimento(evento);
  });
  const fineTrascinamento = () => {
    stato.trascinamento = null;
    disegno.classList.remove("trascina");
  };
  disegno.addEventListener("pointerup", fineTrascinamento);
  disegno.addEventListener("pointercancel", fineTrascinamento);
  disegno.addEventListener("pointerleave", () => { if (!stato.trascinamento) nascondiSuggerimento(); });

  document.getElementById("zoom-piu").addEventListener("click", () => stato.vista && zoom(0.5));
  document.getElementById("zoom-meno").addEventListener("click", () => stato.vista && zoom(2));
  document.getElementById("zoom-tutto").addEventListener("click", () => stato.vista && imposta(0, lunghezzaVista()));
  document.getElementById("intervallo").addEventListener("submit", (evento) => {
    evento.preventDefault();
    if (!stato.vista) return;
    const da = parseFloat(document.getElementById("da-km").value);
    const a = parseFloat(document.getElementById("a-km").value);
    if (Number.isFinite(da) && Number.isFinite(a) && a > da) imposta(da * 1000, a * 1000);
    document.activeElement.blur();
    aggiornaIntervallo();
  });
  window.addEventListener("resize", richiedi);

  // ---- Diagnostics and updates -------------------------------------------------------------------

  function mostraDiagnostiche() {
    const elenco = document.getElementById("diagnostiche");
    elenco.textContent = "";
    for (const d of stato.diagnostiche) {
      const li = document.createElement("li");
      li.className = d.gravita === "warning" ? "avviso" : "errore";
      let testo = d.messaggio;
      if (d.posizione !== null) testo += ` — at ${d.posizione} m`;
      li.textContent = testo;
      if (d.file) {
        const luogo = document.createElement("span");
        luogo.className = "luogo";
        luogo.textContent = `${d.file}:${d.riga}:${d.colonna}`;
        li.appendChild(luogo);
      }
      for (const nota of d.note) {
        const n = document.createElement("span");
        n.className = "luogo";
        n.textContent = "note: " + nota;
        li.appendChild(n);
      }
      if (d.posizione !== null) {
        li.classList.add("con-posizione");
        li.title = "Centre the view on " + d.posizione + " m";
        li.addEventListener("click", () => stato.vista && centra(d.posizione));
      }
      elenco.appendChild(li);
    }
    document.getElementById("conta-diagnostiche").textContent = stato.diagnostiche.length ? `(${stato.diagnostiche.length})` : "";
    document.getElementById("nessuna-diagnostica").hidden = stato.diagnostiche.length > 0;
  }

  function mostraCondizione() {
    const c = document.getElementById("condizione");
    if (!stato.dati) {
      c.className = stato.diagnostiche.length ? "stantia" : "attesa";
      c.textContent = stato.diagnostiche.length ? "does not compile: nothing to show yet" : "waiting for the first compilation";
    } else if (stato.stantio) {
      c.className = "stantia";
      c.textContent = "stale: the sources do not compile; this is the last good picture";
    } else {
      c.className = "viva";
      c.textContent = "live: follows every save";
    }
  }

  function sommario(d) {
    const conta = (n, uno, molti) => `${n} ${n === 1 ? uno : molti}`;
    return [`line ${km(d.lunghezza, 3)} km`, conta(d.stazioni.length, "station", "stations"),
      conta(d.segnali.length, "signal", "signals"), conta(d.rallentamenti.length, "slowdown", "slowdowns"),
      conta(d.curve.length, "curve", "curves"), `${d.celle} cells`].join(" · ");
  }

  async function caricaDati() {
    const risposta = await fetch("/dati", { cache: "no-store" });
    const corpo = await risposta.json();
    if (!corpo.scenario) return;
    const primo = !stato.dati;
    stato.dati = corpo.scenario;
    stato.versioneDati = corpo.versione_dati;
    document.getElementById("titolo").textContent = `${stato.dati.scenario} — train ${stato.dati.treno}`;
    document.title = `${stato.dati.scenario} ${stato.dati.treno} — scenario-tool serve`;
    document.getElementById("sommario").textContent = sommario(stato.dati);
    // The view stays where the author put it; only the first picture shows the whole line.
    if (primo) imposta(0, lunghezzaVista());
    else imposta(stato.vista.da, stato.vista.a);
    stato.aggiornamenti.push({ versioneDati: stato.versioneDati, quando: performance.now() });
  }

  let caricamento = Promise.resolve();
  let versioneChiesta = 0;
  function ricevi(nuovo) {
    stato.diagnostiche = nuovo.diagnostiche;
    stato.stantio = nuovo.stantio;
    mostraDiagnostiche();
    if (nuovo.versione_dati !== versioneChiesta && nuovo.versione_dati > 0) {
      versioneChiesta = nuovo.versione_dati;
      caricamento = caricamento.then(caricaDati).then(mostraCondizione, (e) => console.warn(e));
    } else {
      mostraCondizione();
      richiedi();
    }
  }

  function ascolta() {
    const fonte = new EventSource("/eventi");
    fonte.onmessage = (evento) => ricevi(JSON.parse(evento.data));
    // The browser reconnects by itself; the state is sent again on every connection.
  }

  fetch("/stato", { cache: "no-store" }).then((r) => r.json()).then(ricevi).then(ascolta);
})();
