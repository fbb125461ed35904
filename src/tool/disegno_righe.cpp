// The rows along the line on one distance axis, for the static page: the same rows and the same
// label layout as the live page of `serve`, for the stretch asked for.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tool/disegno_parti.h"
#include "tool/etichette.h"
#include "tool/svg.h"

namespace scenario::strumento::disegno {

namespace {

constexpr double colonna = 175;  // left of the axis: the names of the rows
constexpr double spazio_righe = 8;
constexpr double carattere = 11;
constexpr double altezza_livello = 15;

struct asse {
    double sinistra, destra, da, a;
    double x(double metri) const {
        return sinistra + (metri - da) / (a - da) * (destra - sinistra);
    }
    // x kept a little beyond the edges: shapes that run past the stretch end there.
    double taglia(double metri) const { return std::clamp(x(metri), sinistra - 1, destra + 1); }
    bool dentro(double metri) const { return metri >= da && metri <= a; }
    bool tocca(double inizio, double fine) const { return fine >= da && inizio <= a; }
};

candidata nuova(double x, std::string testo, int priorita, bool dall_inizio = false) {
    candidata c;
    c.x = x;
    c.testo = std::move(testo);
    c.priorita = priorita;
    c.dall_inizio = dall_inizio;
    return c;
}

std::string km3(double metri) {
    char t[48];
    std::snprintf(t, sizeof t, "%.3f", metri / 1000.0);
    std::string s = t;
    return s == "-0.000" ? "0.000" : s;
}

void testo(std::string& out, double x, double y, const std::string& contenuto,
           const std::string& attributi) {
    out += "<text x=\"" + svg::n(x) + "\" y=\"" + svg::n(y) + "\" " + attributi + ">" + contenuto +
           "</text>\n";
}

void linea(std::string& out, double x1, double y1, double x2, double y2, const char* attributi) {
    out += "<line x1=\"" + svg::n(x1) + "\" y1=\"" + svg::n(y1) + "\" x2=\"" + svg::n(x2) +
           "\" y2=\"" + svg::n(y2) + "\" " + attributi + "/>\n";
}

void rettangolo(std::string& out, double x1, double x2, double y, double h, const char* attributi) {
    out += "<rect x=\"" + svg::n(x1) + "\" y=\"" + svg::n(y) + "\" width=\"" +
           svg::n(std::max(x2 - x1, 0.8)) + "\" height=\"" + svg::n(std::max(h, 0.0)) + "\" " +
           attributi + "/>\n";
}

void etichette(std::string& out, const std::vector<candidata>& candidate, int livelli,
               const asse& a, double y_livello0, const char* colore) {
    for (const etichetta_posta& p : disponi(candidate, livelli, a.sinistra, a.destra, carattere)) {
        std::string attributi = "font-size=\"11\" fill=\"" +
                                (p.c->colore.empty() ? std::string(colore) : p.c->colore) + "\"";
        if (p.c->grassetto) attributi += " font-weight=\"bold\"";
        testo(out, p.x0, y_livello0 + p.livello * altezza_livello, svg::testo(p.c->testo),
              attributi);
    }
}

std::optional<std::int64_t> progressiva_a(const elementi_linea& e, double metri) {
    const sistema_progressiva* scelto = nullptr;
    for (const sistema_progressiva& s : e.progressive) {
        if (s.inizio <= metri) scelto = &s;
    }
    if (scelto == nullptr) return std::nullopt;
    return static_cast<std::int64_t>(std::llround(metri)) + scelto->scostamento;
}

void righello(std::string& out, const elementi_linea& e, const asse& a, double y, double h) {
    double tra = passo_tondo((a.a - a.da) / ((a.destra - a.sinistra) / 90.0));
    linea(out, a.sinistra, y + 3, a.destra, y + 3, "stroke=\"#333333\"");
    std::vector<candidata> distanze, catene;
    int cifre = tra >= 1000 ? 0 : tra >= 100 ? 1 : tra >= 10 ? 2 : 3;
    for (double m = std::ceil(a.da / tra) * tra; m <= a.a + 1e-6; m += tra) {
        double x = a.x(m);
        linea(out, x, y + 3, x, y + 8, "stroke=\"#333333\"");
        char t[48];
        std::snprintf(t, sizeof t, "%.*f", cifre, m / 1000.0);
        distanze.push_back(nuova(x, t, 1));
        if (auto c = progressiva_a(e, m))
            catene.push_back(nuova(x, "ch " + km3(static_cast<double>(*c)), 1));
    }
    // Where a chainage system begins the chainage jumps: marked, never hidden.
    for (const sistema_progressiva& s : e.progressive) {
        if (s.inizio <= a.da || s.inizio > a.a) continue;
        double x = a.x(s.inizio);
        linea(out, x, y, x, y + h, "stroke=\"#6a4c93\" stroke-dasharray=\"3,2\"");
        if (auto c = progressiva_a(e, s.inizio)) {
            catene.push_back(
                nuova(x, "ch " + km3(static_cast<double>(*c)) + " from here", 5, true));
        }
    }
    etichette(out, distanze, 1, a, y + 20, "#222222");
    etichette(out, catene, 1, a, y + 35, "#6a4c93");
}

void stazioni_riga(std::string& out, const elementi_linea& e, const asse& a, double y, double h) {
    double fascia = y + h - 12;
    std::vector<candidata> nomi;
    for (const stazione_linea& s : e.stazioni) {
        if (a.tocca(s.base.inizio, s.base.fine)) {
            rettangolo(out, a.taglia(std::max(s.base.inizio, 0)), a.taglia(s.base.fine), fascia, 10,
                       "fill=\"#aec6e8\"");
        }
        if (!a.dentro(s.base.posizione)) continue;
        double x = a.x(s.base.posizione);
        linea(out, x, fascia - 3, x, y + h, "stroke=\"#1f4e9c\" stroke-width=\"2\"");
        candidata c = nuova(x,
                            s.base.nome + " \u00b7 " + std::to_string(s.tipo) + " \u00b7 " +
                                ora_del_giorno(s.orario),
                            s.tipo < 25 ? 20 : 15);
        c.grassetto = true;
        nomi.push_back(c);
    }
    etichette(out, nomi, 3, a, y + 11, "#1f4e9c");
}

void curve_riga(std::string& out, const elementi_linea& e, const asse& a, double y, double h) {
    double centro = y + 14 + (h - 14) / 2;  // under the labels' level
    linea(out, a.sinistra, centro, a.destra, centro, "stroke=\"#bbbbbb\"");
    std::vector<candidata> nomi;
    for (const curva_linea& c : e.curve) {
        if (!a.tocca(static_cast<double>(c.inizio), static_cast<double>(c.fine))) continue;
        double x1 = a.taglia(static_cast<double>(c.inizio));
        double x2 = a.taglia(static_cast<double>(c.fine));
        double alto = 4 + c.classe * 2;
        // Left-hand curves above the line, right-hand ones below.
        rettangolo(out, x1, x2, c.lato == 's' ? centro - alto : centro, alto,
                   c.lato == 's' ? "fill=\"#8e7cc3\"" : "fill=\"#e69138\"");
        nomi.push_back(nuova((x1 + x2) / 2,
                             std::string(c.lato == 's' ? "left " : "right ") +
                                 std::to_string(c.classe) + " \u00b7 R " +
                                 std::to_string(std::lround(c.raggio)) + " m",
                             c.classe));
    }
    etichette(out, nomi, 1, a, y + 11, "#444444");
}

// Runs of one profile in the stretch as [x1, x2, value]; runs narrower than a page unit are
// merged, keeping the value farthest from zero.
struct tratto_pagina {
    double x1, x2;
    long long valore;
};

std::vector<tratto_pagina> in_vista(const std::vector<tratto_celle>& tratti, const asse& a) {
    std::vector<tratto_pagina> elenco;
    for (const tratto_celle& t : tratti) {
        double da = static_cast<double>(metro_profilo(t.da));
        double fino = static_cast<double>(metro_profilo(t.a + 1));
        if (!a.tocca(da, fino)) continue;
        double x1 = a.taglia(std::max(da, 0.0)), x2 = a.taglia(fino);
        if (!elenco.empty() && x2 - elenco.back().x1 < 1) {
            elenco.back().x2 = x2;
            if (std::llabs(t.valore) > std::llabs(elenco.back().valore))
                elenco.back().valore = t.valore;
        } else {
            elenco.push_back({x1, x2, t.valore});
        }
    }
    return elenco;
}

void righe_di_valore(std::string& out, const asse& a, double y, double h, double minimo,
                     double massimo, std::initializer_list<double> valori) {
    for (double v : valori) {
        double yy = y + h - (v - minimo) / (massimo - minimo) * h;
        linea(out, a.sinistra, yy, a.destra, yy, "stroke=\"#e6e6e6\"");
    }
}

void pendenza_riga(std::string& out, const elementi_linea& e, const asse& a, double y, double h) {
    auto tratti = in_vista(e.pendenza, a);
    long long ripida = 5;
    for (const tratto_pagina& t : tratti) ripida = std::max(ripida, std::llabs(t.valore));
    double cima = std::ceil(static_cast<double>(ripida) / 5.0) * 5.0;
    double zero = y + h / 2;
    righe_di_valore(out, a, y + 2, h - 4, -cima, cima, {-cima, cima});
    std::vector<candidata> valori;
    for (const tratto_pagina& t : tratti) {
        if (t.valore == 0) continue;
        double alto = static_cast<double>(t.valore) / cima * (h / 2 - 2);
        rettangolo(out, t.x1, t.x2, t.valore > 0 ? zero - alto : zero, std::fabs(alto),
                   t.valore > 0 ? "fill=\"#d98880\"" : "fill=\"#7fb3d5\"");
        std::string scritta = std::to_string(t.valore);
        // Each value sits over its own run, so only runs wide enough carry one.
        if (t.x2 - t.x1 >= larghezza_stimata(scritta, carattere, false) + 4) {
            valori.push_back(
                nuova((t.x1 + t.x2) / 2, scritta, static_cast<int>(std::llabs(t.valore))));
        }
    }
    linea(out, a.sinistra, zero, a.destra, zero, "stroke=\"#555555\"");
    etichette(out, valori, 1, a, y + 11, "#444444");
}

void gradini(std::string& out, const std::vector<tratto_pagina>& tratti, double y, double h,
             double cima, const char* colore) {
    if (tratti.empty()) return;
    auto yv = [&](long long v) {
        return y + h - std::min(static_cast<double>(v), cima) / cima * h;
    };
    std::string d = "M" + svg::n(tratti.front().x1) + "," + svg::n(yv(tratti.front().valore));
    for (const tratto_pagina& t : tratti) d += " V" + svg::n(yv(t.valore)) + " H" + svg::n(t.x2);
    out += "<path d=\"" + d + "\" fill=\"none\" stroke=\"" + colore +
           "\" stroke-width=\"2\" stroke-linejoin=\"round\"/>\n";
}

void cambi(std::vector<candidata>& valori, const std::vector<tratto_pagina>& tratti,
           const std::string& unita = "") {
    bool primo = true;
    long long precedente = 0;
    for (const tratto_pagina& t : tratti) {
        if (primo || t.valore != precedente) {
            candidata c = nuova(t.x1, std::to_string(t.valore) + unita, 2);
            c.dall_inizio = true;
            valori.push_back(c);
        }
        precedente = t.valore;
        primo = false;
    }
}

void velocita_riga(std::string& out, const elementi_linea& e, const asse& a, double y, double h) {
    auto tratti = in_vista(e.velocita, a);
    long long massimo = 50;
    for (const tratto_pagina& t : tratti) massimo = std::max(massimo, t.valore);
    double passo = massimo > 200 ? 100 : 50;
    double cima = std::ceil((static_cast<double>(massimo) + 5) / passo) * passo;
    double alto = y + 14, altezza = h - 16;
    righe_di_valore(out, a, alto, altezza, 0, cima, {0, cima / 2, cima});
    std::vector<candidata> valori;
    for (const rallentamento& r : e.rallentamenti) {
        if (!a.tocca(r.inizio, r.fine)) continue;
        double x1 = a.taglia(r.inizio), x2 = a.taglia(std::max(r.fine, r.inizio + 1));
        double yy = alto + altezza - std::min<double>(r.velocita, cima) / cima * altezza;
        rettangolo(out, x1, x2, alto, altezza, "fill=\"#e67e22\" opacity=\"0.18\"");
        linea(out, x1, yy, x2, yy, "stroke=\"#e67e22\" stroke-width=\"3\"");
        candidata c = nuova(x1, "slowdown " + std::to_string(r.velocita) + " km/h", 10, true);
        c.colore = "#b9570b";
        valori.push_back(c);
    }
    for (const avviso_linea& w : e.avvisi) {
        if (!a.dentro(static_cast<double>(w.metro))) continue;
        double x = a.x(static_cast<double>(w.metro));
        rettangolo(out, x - 3, x + 3, alto + altezza - 10, 10, "fill=\"#e67e22\"");
        candidata c = nuova(x, "warning " + std::to_string(w.velocita), 4);
        c.colore = "#b9570b";
        valori.push_back(c);
    }
    gradini(out, tratti, alto, altezza, cima, "#1f77b4");
    cambi(valori, tratti);
    etichette(out, valori, 1, a, y + 11, "#1f77b4");
}

void aderenza_riga(std::string& out, const elementi_linea& e, const asse& a, double y, double h) {
    auto tratti = in_vista(e.aderenza, a);
    long long massimo = 100;
    for (const tratto_pagina& t : tratti) massimo = std::max(massimo, t.valore);
    double cima = std::ceil(static_cast<double>(massimo) / 50.0) * 50.0;
    righe_di_valore(out, a, y + 14, h - 16, 0, cima, {0, cima});
    gradini(out, tratti, y + 14, h - 16, cima, "#2e8b57");
    std::vector<candidata> valori;
    cambi(valori, tratti);
    etichette(out, valori, 1, a, y + 11, "#2e8b57");
}

void segnali_riga(std::string& out, const elementi_linea& e, const asse& a, double y, double h) {
    double base = y + h - 4;
    std::vector<candidata> posizioni;
    for (const segnale_linea& s : e.segnali) {
        if (!a.dentro(static_cast<double>(s.metro))) continue;
        double x = a.x(static_cast<double>(s.metro));
        out += "<path d=\"M" + svg::n(x) + "," + svg::n(base - 11) + " l5,11 h-10 z\" fill=\"" +
               colore_segnale + "\"/>\n";
        posizioni.push_back(nuova(x, km3(static_cast<double>(s.metro)), 3));
    }
    etichette(out, posizioni, 2, a, y + 11, colore_segnale);
}

void codici_riga(std::string& out, const elementi_linea& e, const asse& a, double y, double h) {
    std::vector<candidata> valori;
    if (e.ripetizione_fine > e.ripetizione_inizio &&
        a.tocca(e.ripetizione_inizio, e.ripetizione_fine)) {
        double x1 = a.taglia(e.ripetizione_inizio), x2 = a.taglia(e.ripetizione_fine);
        rettangolo(out, x1, x2, y + h - 14, 10, "fill=\"#c9d6e3\"");
        candidata c =
            nuova(std::max(x1, a.sinistra),
                  "cab signals, " + std::to_string(e.ripetizione_codici) + " codes", 6, true);
        c.colore = "#556677";
        valori.push_back(c);
    }
    for (const punto_codice_linea& p : e.punti_codice) {
        if (!a.dentro(static_cast<double>(p.metro))) continue;
        double x = a.x(static_cast<double>(p.metro));
        rettangolo(out, x - 1, x + 1, y + h - 18, 16,
                   p.nullo ? "fill=\"#95a5a6\"" : "fill=\"#34495e\"");
        valori.push_back(nuova(x, p.nullo ? "null" : std::to_string(p.valore), 2));
    }
    etichette(out, valori, 1, a, y + 11, "#34495e");
}

std::string testo_cartello(const cartello_velocita& c) {
    bool uguali = c.sinistra == c.destra || (c.destra == std::array<int, 3>{});
    std::string t;
    const char* categorie[] = {"A ", " \u00b7 B ", " \u00b7 C "};
    for (std::size_t i = 0; i < 3; ++i) {
        t += categorie[i] + std::to_string(c.sinistra[i]);
        if (!uguali) t += "/" + std::to_string(c.destra[i]);
    }
    return t;
}

void cartelli_velocita_riga(std::string& out, const elementi_linea& e, const asse& a, double y,
                            double h) {
    std::vector<candidata> valori;
    for (const cartello_velocita& c : e.cartelli_velocita) {
        if (!a.dentro(static_cast<double>(c.metro))) continue;
        double x = a.x(static_cast<double>(c.metro));
        rettangolo(out, x - 2.5, x + 2.5, y + h - 14, 12, "fill=\"#222222\"");
        valori.push_back(nuova(x, testo_cartello(c), 2));
    }
    etichette(out, valori, 2, a, y + 11, "#222222");
}

void cartelli_testo_riga(std::string& out, const elementi_linea& e, const asse& a, double y,
                         double h) {
    std::vector<candidata> valori;
    for (const cartello_testo& c : e.cartelli_testo) {
        if (!a.dentro(static_cast<double>(c.metro))) continue;
        double x = a.x(static_cast<double>(c.metro));
        linea(out, x, y + h - 14, x, y + h - 2, "stroke=\"#7b3fa0\" stroke-width=\"2\"");
        if (!c.testo.empty()) valori.push_back(nuova(x, c.testo, 2));
    }
    etichette(out, valori, 2, a, y + 11, "#5b2c6f");
}

void montagne_riga(std::string& out, const elementi_linea& e, const asse& a, double y, double h) {
    std::vector<candidata> valori;
    for (const tratto_pagina& t : in_vista(e.montagna, a)) {
        if (t.valore == 0) continue;
        rettangolo(out, t.x1, t.x2, y + 2, h - 4, "fill=\"#a1887f\"");
        std::string scritta = std::to_string(t.valore);
        if (t.x2 - t.x1 >= larghezza_stimata(scritta, carattere, false) + 4) {
            valori.push_back(nuova((t.x1 + t.x2) / 2, scritta, 1));
        }
    }
    etichette(out, valori, 1, a, y + h / 2 + 4, "#ffffff");
}

struct riga {
    const char* nome;
    const char* unita;
    double altezza;
    void (*disegna)(std::string&, const elementi_linea&, const asse&, double, double);
};

}  // namespace

double righe(std::string& out, const elementi_linea& e, double x, double y, double larghezza,
             double da, double a) {
    static const riga elenco[] = {
        {"distance", "km \u00b7 chainage", 40, righello},
        {"stations", "name \u00b7 kind \u00b7 time", 66, stazioni_riga},
        {"curves", "side, class, radius", 50, curve_riga},
        {"gradient", "\u2030 (pendenza \u2212 100)", 62, pendenza_riga},
        {"speed limit", "km/h, slowdowns", 76, velocita_riga},
        {"adhesion", "aderenza", 40, aderenza_riga},
        {"signals", "position, km", 50, segnali_riga},
        {"cab signals", "section, code points", 38, codici_riga},
        {"speed boards", "A \u00b7 B \u00b7 C km/h", 48, cartelli_velocita_riga},
        {"indication boards", "text", 48, cartelli_testo_riga},
        {"mountains", "montagna kind", 28, montagne_riga},
    };
    asse asse_{x + colonna, x + larghezza, da, std::max(a, da + 1)};
    double cursore = y;
    int numero = 0;
    for (const riga& r : elenco) {
        std::string taglio = "riga" + std::to_string(numero++);
        out += "<clipPath id=\"" + taglio + "\"><rect x=\"" + svg::n(asse_.sinistra) + "\" y=\"" +
               svg::n(cursore) + "\" width=\"" + svg::n(asse_.destra - asse_.sinistra) +
               "\" height=\"" + svg::n(r.altezza) + "\"/></clipPath>\n";
        rettangolo(out, asse_.sinistra, asse_.destra, cursore, r.altezza,
                   "fill=\"none\" stroke=\"#e2e4e8\"");
        testo(out, x, cursore + 15, r.nome,
              "font-size=\"11\" font-weight=\"bold\" fill=\"#222222\"");
        testo(out, x, cursore + 30, r.unita, "font-size=\"11\" fill=\"#777777\"");
        out += "<g clip-path=\"url(#" + taglio + ")\">\n";
        r.disegna(out, e, asse_, cursore, r.altezza);
        out += "</g>\n";
        cursore += r.altezza + spazio_righe;
    }
    return cursore - y;
}

}  // namespace scenario::strumento::disegno
