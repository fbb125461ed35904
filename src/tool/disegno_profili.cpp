// The profiles along the line, all on one distance axis.
#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "textfile/codifica.h"
#include "tool/disegno_parti.h"
#include "tool/svg.h"

namespace scenario::strumento::disegno {

namespace {

constexpr double colonna_etichette = 175;  // left of the axis: the name of each strip

// Distance along the line to page x.
class asse {
  public:
    asse(double x, double larghezza, double fine) : x_(x), larghezza_(larghezza), fine_(fine) {}
    double operator()(double metri) const { return x_ + metri / fine_ * larghezza_; }
    double fine() const { return fine_; }
    double sinistra() const { return x_; }
    double destra() const { return x_ + larghezza_; }
    bool dentro(double metri) const { return metri >= 0 && metri <= fine_; }

  private:
    double x_, larghezza_, fine_;
};

struct striscia {
    double y;
    double altezza;
    double basso() const { return y + altezza; }
};

void nome_striscia(std::string& out, const asse& a, const striscia& s, const char* nome,
                   const char* unita) {
    double centro = s.y + s.altezza / 2;
    out += svg::scritta(a.sinistra() - 38, centro + (unita[0] ? -2 : 4), nome,
                        "font-size=\"12\" font-weight=\"bold\" text-anchor=\"end\"");
    if (unita[0]) {
        out += svg::scritta(a.sinistra() - 38, centro + 12, unita,
                            "font-size=\"10\" fill=\"#666666\" text-anchor=\"end\"");
    }
}

// A value axis on the left of a strip: a label and a faint line across at each value.
void valori_striscia(std::string& out, const asse& a, const striscia& s, double minimo,
                     double massimo, const std::vector<double>& valori) {
    for (double v : valori) {
        double y = s.basso() - (v - minimo) / (massimo - minimo) * s.altezza;
        out += svg::linea(a.sinistra(), y, a.destra(), y, "stroke=\"#e4e4e4\" stroke-width=\"1\"");
        out += svg::scritta(a.sinistra() - 5, y + 3.5, svg::n(v),
                            "font-size=\"9\" fill=\"#666666\" text-anchor=\"end\"");
    }
}

// Cells whose profile value stays the same, as runs along the line.
struct tratto {
    double da;
    double a;
    long long valore;
};

std::vector<tratto> tratti(const std::vector<cella>& celle, const asse& a,
                           const std::function<long long(const cella&)>& valore) {
    std::vector<tratto> elenco;
    for (std::size_t n = 0; n < celle.size(); ++n) {
        double da = static_cast<double>(metro_profilo(n));
        if (da >= a.fine()) break;
        double fino = std::min(da + 50.0, a.fine());
        long long v = valore(celle[n]);
        if (!elenco.empty() && elenco.back().valore == v) {
            elenco.back().a = fino;
        } else {
            elenco.push_back({da, fino, v});
        }
    }
    return elenco;
}

// A step line through the runs, scaled to the strip.
void gradini(std::string& out, const std::vector<tratto>& elenco, const asse& a, const striscia& s,
             double minimo, double massimo, const char* colore) {
    if (elenco.empty()) return;
    auto y = [&](double v) {
        return s.basso() -
               (std::clamp(v, minimo, massimo) - minimo) / (massimo - minimo) * s.altezza;
    };
    std::string d = "M" + svg::n(a(elenco.front().da)) + "," +
                    svg::n(y(static_cast<double>(elenco.front().valore)));
    for (const tratto& t : elenco) {
        double yv = y(static_cast<double>(t.valore));
        d += " V" + svg::n(yv) + " H" + svg::n(a(t.a));
    }
    out += svg::tracciato(d, std::string("fill=\"none\" stroke=\"") + colore +
                                 "\" stroke-width=\"2\" stroke-linejoin=\"round\"");
}

double massimo_di(const std::vector<tratto>& elenco) {
    long long m = 0;
    for (const tratto& t : elenco) m = std::max(m, t.valore);
    return static_cast<double>(m);
}

// Gradient as bars up (climbs) and down (descents) from level.
void pendenze(std::string& out, const scenario_compilato& sc, const asse& a, const striscia& s) {
    auto elenco = tratti(sc.celle, a, [](const cella& c) { return c.pendenza - 100LL; });
    long long piu_ripida = 5;
    for (const tratto& t : elenco) piu_ripida = std::max(piu_ripida, std::llabs(t.valore));
    double g = std::ceil(static_cast<double>(piu_ripida) / 5.0) * 5.0;
    valori_striscia(out, a, s, -g, g, {-g, 0, g});
    double zero = s.y + s.altezza / 2;
    for (const tratto& t : elenco) {
        if (t.valore == 0) continue;
        double alto = static_cast<double>(t.valore) / g * s.altezza / 2;
        const char* colore = t.valore > 0 ? "fill=\"#d98880\"" : "fill=\"#7fb3d5\"";
        out += svg::rettangolo(a(t.da), t.valore > 0 ? zero - alto : zero, a(t.a) - a(t.da),
                               std::fabs(alto), colore);
        if (a(t.a) - a(t.da) >= 20) {
            out += svg::scritta((a(t.da) + a(t.a)) / 2,
                                t.valore > 0 ? zero - alto - 3 : zero - alto + 10,
                                std::to_string(t.valore),
                                "font-size=\"9\" fill=\"#444444\" text-anchor=\"middle\"");
        }
    }
    out +=
        svg::linea(a.sinistra(), zero, a.destra(), zero, "stroke=\"#555555\" stroke-width=\"1\"");
    nome_striscia(out, a, s, "gradient", "\u2030 (pendenza \u2212 100)");
}

void velocita(std::string& out, const scenario_compilato& sc, const asse& a, const striscia& s) {
    auto elenco = tratti(sc.celle, a, [](const cella& c) { return c.velocita * 5LL; });
    double massimo = massimo_di(elenco);
    auto lenti = rallentamenti(sc.celle);
    for (const rallentamento& r : lenti)
        massimo = std::max(massimo, static_cast<double>(r.velocita));
    double passo = massimo > 160 ? 50 : 20;
    double cima = std::max(passo, std::ceil((massimo + 5) / passo) * passo);
    std::vector<double> valori;
    for (double v = 0; v <= cima; v += passo) valori.push_back(v);
    valori_striscia(out, a, s, 0, cima, valori);
    for (const rallentamento& r : lenti) {
        if (!a.dentro(r.inizio)) continue;
        double x1 = a(r.inizio);
        double x2 = a(std::min<double>(r.fine, a.fine()));
        double y = s.basso() - std::clamp<double>(r.velocita, 0, cima) / cima * s.altezza;
        out += svg::rettangolo(x1, s.y, x2 - x1, s.altezza, "fill=\"#e67e22\" opacity=\"0.18\"");
        out += svg::linea(x1, y, x2, y, "stroke=\"#e67e22\" stroke-width=\"3\"");
        out += svg::scritta(x2 + 3, y - 3, std::to_string(r.velocita) + " km/h slowdown",
                            "font-size=\"10\" fill=\"#b9570b\"");
    }
    gradini(out, elenco, a, s, 0, cima, "#1f77b4");
    nome_striscia(out, a, s, "speed limit", "km/h (velocita \u00d7 5)");
}

void aderenze(std::string& out, const scenario_compilato& sc, const asse& a, const striscia& s) {
    auto elenco =
        tratti(sc.celle, a, [](const cella& c) { return static_cast<long long>(c.aderenza); });
    double cima = std::max(100.0, std::ceil(massimo_di(elenco) / 50.0) * 50.0);
    valori_striscia(out, a, s, 0, cima, {0, cima / 2, cima});
    gradini(out, elenco, a, s, 0, cima, "#2e8b57");
    nome_striscia(out, a, s, "adhesion", "aderenza");
}

// Signals, the slowdown boards and the cab-code points on one row.
void segnali(std::string& out, const scenario_compilato& sc, const asse& a, const striscia& s) {
    double centro = s.y + s.altezza / 2;
    const punto* ripetizione = sc.punti.size() > static_cast<std::size_t>(indice_punti::ripetizione)
                                   ? &sc.punti[indice_punti::ripetizione]
                                   : nullptr;
    if (ripetizione != nullptr && ripetizione->fine > ripetizione->inizio &&
        a.dentro(ripetizione->inizio)) {
        double x1 = a(ripetizione->inizio);
        double x2 = a(std::min<double>(ripetizione->fine, a.fine()));
        out += svg::rettangolo(x1, s.y + 2, x2 - x1, s.altezza - 4, "fill=\"#dfe6ee\"");
        out += svg::scritta(x1 + 3, s.basso() - 4,
                            "cab signals, " + std::to_string(ripetizione->posizione) + " codes",
                            "font-size=\"9\" fill=\"#556677\"");
    }
    for (std::size_t n = 0; n < sc.celle.size(); ++n) {
        const cella& c = sc.celle[n];
        if (c.tipo == tipo_cella::punto_codice || c.tipo == tipo_cella::punto_codice_nullo) {
            double m = static_cast<double>(metro_profilo(n));
            if (!a.dentro(m)) continue;
            out += svg::rettangolo(a(m) - 1, s.y + 3, 2, s.altezza - 6, "fill=\"#7f8c8d\"");
            continue;
        }
        double m = static_cast<double>(metro_punto(n));
        if (!a.dentro(m)) continue;
        double x = a(m);
        if (c.tipo == tipo_cella::segnale) {
            out += svg::tracciato("M" + svg::n(x) + "," + svg::n(centro - 7) + " l5,10 h-10 z",
                                  std::string("fill=\"") + colore_segnale + "\"");
        } else if (c.tipo == tipo_cella::avviso_rallentamento) {
            out += svg::rettangolo(x - 4, centro - 6, 8, 12, "fill=\"#e67e22\"");
        } else if (c.tipo == tipo_cella::inizio_rallentamento ||
                   c.tipo == tipo_cella::fine_rallentamento) {
            out +=
                svg::linea(x, s.y + 2, x, s.basso() - 2, "stroke=\"#e67e22\" stroke-width=\"2.5\"");
        }
    }
    nome_striscia(out, a, s, "signals", "\u25b2 signal, \u25a0 warning, | code");
}

// Maximum-speed boards (tipo 6) with their category A speed.
void cartelli_velocita(std::string& out, const scenario_compilato& sc, const asse& a,
                       const striscia& s) {
    double ultima_x = -1e9;
    for (std::size_t n = 0; n < sc.celle.size(); ++n) {
        const cella& c = sc.celle[n];
        double m = static_cast<double>(metro_punto(n));
        if (c.tipo != tipo_cella::indicatore_v_max || !a.dentro(m)) continue;
        double x = a(m);
        out += svg::rettangolo(x - 2.5, s.y + 4, 5, 9, "fill=\"#222222\"");
        // dato1 packs the "s" speed in hundreds of fifths: 100 km/h reads 20xx.
        if (x - ultima_x >= 18) {
            out += svg::scritta(x, s.basso() - 3, std::to_string(c.dato1 / 100 * 5),
                                "font-size=\"9\" text-anchor=\"middle\"");
            ultima_x = x;
        }
    }
    nome_striscia(out, a, s, "speed boards", "tipo 6, km/h");
}

// Indication boards (tipo 14) with their text, upright.
void cartelli_indicatori(std::string& out, const scenario_compilato& sc, const asse& a,
                         const striscia& s) {
    double ultima_x = -1e9;
    for (std::size_t n = 0; n < sc.celle.size(); ++n) {
        const cella& c = sc.celle[n];
        double m = static_cast<double>(metro_punto(n));
        if (c.tipo != tipo_cella::cartello_indicazione || !a.dentro(m)) continue;
        double x = a(m);
        out += svg::linea(x, s.basso() - 8, x, s.basso(), "stroke=\"#7b3fa0\" stroke-width=\"2\"");
        std::string scritta;
        if (c.dato1 >= 0 && static_cast<std::size_t>(c.dato1) < sc.punti.size()) {
            scritta = da_cp1252(sc.punti[static_cast<std::size_t>(c.dato1)].nome);
        }
        if (scritta.empty() || x - ultima_x < 11) continue;
        out += svg::scritta_ruotata(x + 3, s.basso() - 10, -90, svg::testo(scritta),
                                    "font-size=\"9\" fill=\"#5b2c6f\"");
        ultima_x = x;
    }
    nome_striscia(out, a, s, "indication boards", "tipo 14");
}

void montagne(std::string& out, const scenario_compilato& sc, const asse& a, const striscia& s) {
    for (const tratto& t :
         tratti(sc.celle, a, [](const cella& c) { return static_cast<long long>(c.montagna); })) {
        if (t.valore == 0) continue;
        out +=
            svg::rettangolo(a(t.da), s.y + 3, a(t.a) - a(t.da), s.altezza - 6, "fill=\"#a1887f\"");
        if (a(t.a) - a(t.da) >= 12) {
            out += svg::scritta((a(t.da) + a(t.a)) / 2, s.basso() - 7, std::to_string(t.valore),
                                "font-size=\"9\" fill=\"#ffffff\" text-anchor=\"middle\"");
        }
    }
    nome_striscia(out, a, s, "mountains", "montagna kind");
}

void zone_stazioni(std::string& out, const scenario_compilato& sc, const asse& a,
                   const striscia& s) {
    for (const stazione& st : stazioni(sc.punti)) {
        double da = std::max(0.0, static_cast<double>(st.inizio));
        double fino = std::min(a.fine(), static_cast<double>(st.fine));
        if (fino > da) {
            out +=
                svg::rettangolo(a(da), s.y + 3, a(fino) - a(da), s.altezza - 6, "fill=\"#aec6e8\"");
        }
        if (a.dentro(st.posizione)) {
            out += svg::linea(a(st.posizione), s.y + 1, a(st.posizione), s.basso() - 1,
                              "stroke=\"#1f4e9c\" stroke-width=\"2\"");
        }
    }
    nome_striscia(out, a, s, "station zones", "inizio to fine");
}

// Station names on top, rotated so that close stations stay readable, with their chainage.
void nomi_stazioni(std::string& out, const scenario_compilato& sc, const asse& a, double alto,
                   double basso) {
    for (const stazione& st : stazioni(sc.punti)) {
        if (!a.dentro(st.posizione)) continue;
        double x = a(st.posizione);
        out += svg::linea(
            x, alto, x, basso,
            "stroke=\"#1f4e9c\" stroke-width=\"1\" stroke-dasharray=\"4,3\" opacity=\"0.6\"");
        std::string scritta = svg::testo(st.nome);
        if (auto km_linea = progressiva(sc.punti, st.posizione)) {
            scritta += svg::pezzo(7, "km " + km(static_cast<double>(*km_linea)),
                                  "fill=\"#666666\" font-weight=\"normal\"");
        }
        out += svg::scritta_ruotata(
            x + 2, alto - 4, -35, scritta,
            std::string("font-size=\"11\" font-weight=\"bold\" fill=\"") + colore_stazione + "\"");
    }
}

// Labels about every 60 page units at round kilometres, small ticks between them.
void asse_distanze(std::string& out, const asse& a, double alto, double y) {
    double tra_etichette = passo_tondo(a.fine() / 1000.0 / ((a.destra() - a.sinistra()) / 60.0));
    double tra_segni = tra_etichette >= 2 ? passo_tondo(tra_etichette / 5.0) : tra_etichette;
    auto segni_per_etichetta = static_cast<long long>(std::llround(tra_etichette / tra_segni));
    out += svg::linea(a.sinistra(), y, a.destra(), y, "stroke=\"#333333\" stroke-width=\"1\"");
    for (long long n = 0; n * tra_segni * 1000.0 <= a.fine() + 0.5; ++n) {
        double metri = static_cast<double>(n) * tra_segni * 1000.0;
        double x = a(metri);
        bool con_etichetta = n % segni_per_etichetta == 0;
        out += svg::linea(x, y, x, y + (con_etichetta ? 6 : 3),
                          "stroke=\"#333333\" stroke-width=\"1\"");
        if (con_etichetta) {
            out += svg::linea(x, alto, x, y, "stroke=\"#dddddd\" stroke-width=\"1\"");
            out += svg::scritta(x, y + 18, km(metri), "font-size=\"10\" text-anchor=\"middle\"");
        }
    }
    out += svg::scritta((a.sinistra() + a.destra()) / 2, y + 34,
                        "distance along the line, km (cells: 50 m each)",
                        "font-size=\"11\" fill=\"#444444\" text-anchor=\"middle\"");
}

}  // namespace

double profili(std::string& out, const scenario_compilato& sc, double x, double y,
               double larghezza) {
    double fine = static_cast<double>(lunghezza_linea(sc));
    for (const stazione& st : stazioni(sc.punti))
        fine = std::max(fine, static_cast<double>(st.posizione));
    asse a(x + colonna_etichette, larghezza - colonna_etichette - 10, fine);

    out += svg::scritta(x, y + 14, "Along the line", "font-size=\"14\" font-weight=\"bold\"");
    double nomi = y + 130;  // room for the rotated station names
    std::vector<striscia> strisce;
    double cursore = nomi + 6;
    for (double altezza : {110.0, 120.0, 70.0, 28.0, 30.0, 110.0, 26.0, 26.0}) {
        strisce.push_back({cursore, altezza});
        cursore += altezza + 16;
    }
    double fondo = cursore - 16;

    asse_distanze(out, a, nomi, fondo + 4);
    for (const striscia& s : strisce) {
        out += svg::rettangolo(a.sinistra(), s.y, a.destra() - a.sinistra(), s.altezza,
                               "fill=\"none\" stroke=\"#cccccc\" stroke-width=\"1\"");
    }
    nomi_stazioni(out, sc, a, nomi, fondo);
    pendenze(out, sc, a, strisce[0]);
    velocita(out, sc, a, strisce[1]);
    aderenze(out, sc, a, strisce[2]);
    segnali(out, sc, a, strisce[3]);
    cartelli_velocita(out, sc, a, strisce[4]);
    cartelli_indicatori(out, sc, a, strisce[5]);
    montagne(out, sc, a, strisce[6]);
    zone_stazioni(out, sc, a, strisce[7]);
    return fondo + 44 - y;
}

}  // namespace scenario::strumento::disegno
