#include "tool/disegno.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "tool/disegno_parti.h"
#include "tool/svg.h"

namespace scenario::strumento {

namespace disegno {

std::string km(double metri) {
    char testo[48];
    std::snprintf(testo, sizeof testo, "%.3f", metri / 1000.0);
    std::string s = testo;
    // "57.000" reads better as "57", "82.500" as "82.5".
    while (!s.empty() && s.back() == '0') s.pop_back();
    if (!s.empty() && s.back() == '.') s.pop_back();
    return s == "-0" ? "0" : s;
}

double passo_tondo(double minimo) {
    if (!(minimo > 0) || !std::isfinite(minimo)) return 1;
    double potenza = std::pow(10.0, std::floor(std::log10(minimo)));
    for (double fattore : {1.0, 2.0, 5.0, 10.0}) {
        if (fattore * potenza >= minimo) return fattore * potenza;
    }
    return 10 * potenza;
}

}  // namespace disegno

namespace {

std::string sommario(const scenario_compilato& s) {
    int segnali = 0, lenti = 0, velocita = 0, indicazioni = 0;
    for (const cella& c : s.celle) {
        segnali += c.tipo == tipo_cella::segnale;
        lenti += c.tipo == tipo_cella::inizio_rallentamento;
        velocita += c.tipo == tipo_cella::indicatore_v_max;
        indicazioni += c.tipo == tipo_cella::cartello_indicazione;
    }
    return "line " + disegno::km(lunghezza_linea(s)) + " km \u00b7 " +
           std::to_string(stazioni(s.punti).size()) + " stations \u00b7 " +
           std::to_string(segnali) + " signals \u00b7 " + std::to_string(lenti) +
           (lenti == 1 ? " slowdown \u00b7 " : " slowdowns \u00b7 ") + std::to_string(velocita) +
           " speed boards \u00b7 " + std::to_string(indicazioni) + " indication boards \u00b7 " +
           std::to_string(s.celle.size()) + " cells";
}

}  // namespace

tratto_linea tratto_intero(const scenario_compilato& s) {
    double fine = static_cast<double>(lunghezza_linea(s));
    for (const stazione& st : stazioni(s.punti))
        fine = std::max(fine, static_cast<double>(st.fine));
    return {0, std::max(fine, 50.0)};
}

std::string disegna_svg(const scenario_compilato& s, std::optional<tratto_linea> tratto) {
    constexpr double larghezza = 1600;
    constexpr double margine = 30;
    const tratto_linea t = tratto.value_or(tratto_intero(s));
    std::string corpo;
    double y = 86;
    if (s.geometria) {
        y += disegno::pianta(corpo, s, margine, y, larghezza - 2 * margine, 300, t.da, t.a) + 24;
    } else {
        corpo += svg::scritta(margine, y + 14,
                              "No line geometry file: compiled with --no-line, so there is no "
                              "plan to draw.",
                              "font-size=\"12\" fill=\"#666666\"");
        y += 40;
    }
    y += disegno::righe(corpo, estrai_elementi(s), margine, y, larghezza - 2 * margine, t.da, t.a);
    double altezza = std::ceil(y + 10);

    std::string titolo =
        svg::testo(s.nome_scenario) + " \u2014 train " + svg::testo(s.numero_treno);
    std::string out =
        svg::apri_documento(larghezza, altezza, "DejaVu Sans, Verdana, Arial, sans-serif");
    out += svg::titolo(titolo);
    out += svg::sfondo("#ffffff");
    out += svg::scritta(margine, 42, titolo, "font-size=\"26\" font-weight=\"bold\"");
    out += svg::scritta(margine, 66,
                        svg::testo(sommario(s) + " \u00b7 shown: km " + disegno::km(t.da) + " to " +
                                   disegno::km(t.a)),
                        "font-size=\"13\" fill=\"#555555\"");
    out += corpo;
    out += svg::chiudi_documento();
    return out;
}

}  // namespace scenario::strumento
