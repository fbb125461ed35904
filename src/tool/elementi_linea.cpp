#include "tool/elementi_linea.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

#include "textfile/codifica.h"

namespace scenario::strumento {

namespace {

// The turn per metre of each curve class; a stretch is given the class whose turn is nearest.
constexpr std::array<double, 6> svolta_classe = {0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};

std::vector<tratto_celle> tratti(const std::vector<cella>& celle,
                                 const std::function<long long(const cella&)>& valore) {
    std::vector<tratto_celle> elenco;
    for (std::size_t n = 0; n < celle.size(); ++n) {
        long long v = valore(celle[n]);
        if (!elenco.empty() && elenco.back().valore == v) {
            elenco.back().a = n;
        } else {
            elenco.push_back({n, n, v});
        }
    }
    return elenco;
}

segnale_linea segnale(std::size_t n, const cella& c) {
    segnale_linea s;
    s.metro = metro_punto(n);
    s.cella = n;
    s.s1 = c.dato1 / 10;
    s.d1 = c.dato1 % 10;
    s.s2 = c.dato2 / 10;
    s.d2 = c.dato2 % 10;
    s.s3 = c.dato3 / 10;
    s.d3 = c.dato3 % 10;
    s.rapp = c.dato4 / 10;
    s.sx = (c.dato4 % 10) / 3;
    s.dx = (c.dato4 % 10) % 3;
    s.tempo = c.tempo;
    return s;
}

// dato1..dato3 pack the two sets in base 100: 100 · (s speed / 5) + d speed / 5.
cartello_velocita cartello(std::size_t n, const cella& c) {
    cartello_velocita v;
    v.metro = metro_punto(n);
    v.cella = n;
    const std::array<std::int16_t, 3> dati = {c.dato1, c.dato2, c.dato3};
    for (std::size_t i = 0; i < dati.size(); ++i) {
        v.sinistra[i] = dati[i] / 100 * 5;
        v.destra[i] = dati[i] % 100 * 5;
    }
    v.strisce_s = c.dato4 / 10;
    v.strisce_d = c.dato4 % 10;
    return v;
}

// The systems in force somewhere, by start. The compiler leaves them largest start first in
// records 81 to 83, and at a position the first whose start is not beyond it applies: a later
// record starting at the same place or beyond never does.
std::vector<sistema_progressiva> sistemi(const std::vector<punto>& punti) {
    std::vector<sistema_progressiva> elenco;
    if (punti.size() <= static_cast<std::size_t>(indice_punti::progressiva_uno)) return elenco;
    bool definita = false;
    for (int n = indice_punti::progressiva_tre; n <= indice_punti::progressiva_uno; ++n) {
        const punto& p = punti[static_cast<std::size_t>(n)];
        definita = definita || p.inizio != 0 || p.fine != 0;
    }
    if (!definita) return elenco;
    for (int n = indice_punti::progressiva_tre; n <= indice_punti::progressiva_uno; ++n) {
        const punto& p = punti[static_cast<std::size_t>(n)];
        bool coperto = false;
        for (const sistema_progressiva& prima : elenco)
            coperto = coperto || prima.inizio <= p.inizio;
        if (!coperto) elenco.push_back({n, p.inizio, p.fine});
    }
    std::reverse(elenco.begin(), elenco.end());
    return elenco;
}

}  // namespace

std::vector<curva_linea> curve_da_geometria(const profilo_linea& g, std::int64_t ultimo) {
    std::vector<curva_linea> elenco;
    ultimo = std::min<std::int64_t>(ultimo, g.ultimo_metro());
    auto pieno = [&](std::int64_t m) {
        return g.tipo(m, 0) != profilo_linea::tipo_valore::vuoto &&
               g.tipo(m, 1) != profilo_linea::tipo_valore::vuoto;
    };
    for (std::int64_t m = 2; m <= ultimo; ++m) {
        if (!pieno(m) || !pieno(m - 1) || !pieno(m - 2)) continue;
        double ax = g.valore(m - 1, 0) - g.valore(m - 2, 0);
        double ay = g.valore(m - 1, 1) - g.valore(m - 2, 1);
        double bx = g.valore(m, 0) - g.valore(m - 1, 0);
        double by = g.valore(m, 1) - g.valore(m - 1, 1);
        double quadrato = ax * ax + ay * ay;
        if (!(quadrato > 0) || !std::isfinite(quadrato)) continue;
        // A turning step turns (a, b) into (a + k·b, b − k·a): the cross product gives −k.
        double k = -(ax * by - ay * bx) / quadrato;
        if (!std::isfinite(k) || std::fabs(k) < 0.00005) continue;
        int classe = 1;
        for (std::size_t c = 1; c < svolta_classe.size(); ++c) {
            if (std::fabs(std::fabs(k) - svolta_classe[c]) <
                std::fabs(std::fabs(k) - svolta_classe[static_cast<std::size_t>(classe - 1)])) {
                classe = static_cast<int>(c) + 1;
            }
        }
        char lato = k < 0 ? 's' : 'd';
        if (!elenco.empty() && elenco.back().fine == m - 1 && elenco.back().classe == classe &&
            elenco.back().lato == lato) {
            elenco.back().fine = m;
        } else {
            elenco.push_back({m - 1, m, classe, lato,
                              1.0 / svolta_classe[static_cast<std::size_t>(classe - 1)]});
        }
    }
    return elenco;
}

std::string ora_del_giorno(std::int32_t secondi) {
    if (secondi < 0) secondi = 0;
    char testo[32];
    std::snprintf(testo, sizeof testo, "%02d:%02d:%02d", static_cast<int>(secondi / 3600),
                  static_cast<int>(secondi / 60 % 60), static_cast<int>(secondi % 60));
    return testo;
}

elementi_linea estrai_elementi(const scenario_compilato& s) {
    elementi_linea e;
    e.lunghezza = lunghezza_linea(s);
    for (const stazione& st : stazioni(s.punti)) {
        const punto& p = s.punti[static_cast<std::size_t>(st.indice)];
        e.stazioni.push_back({st, p.tipo, p.orario});
    }
    for (std::size_t n = 0; n < s.celle.size(); ++n) {
        const cella& c = s.celle[n];
        switch (c.tipo) {
            case tipo_cella::segnale:
                e.segnali.push_back(segnale(n, c));
                break;
            case tipo_cella::indicatore_v_max:
                e.cartelli_velocita.push_back(cartello(n, c));
                break;
            case tipo_cella::cartello_indicazione: {
                std::string testo;
                if (c.dato1 >= 0 && static_cast<std::size_t>(c.dato1) < s.punti.size()) {
                    testo = da_cp1252(s.punti[static_cast<std::size_t>(c.dato1)].nome);
                }
                e.cartelli_testo.push_back({metro_punto(n), n, testo});
                break;
            }
            case tipo_cella::punto_codice:
                e.punti_codice.push_back({metro_profilo(n), n, c.dato1, false});
                break;
            case tipo_cella::punto_codice_nullo:
                e.punti_codice.push_back({metro_profilo(n), n, 0, true});
                break;
            case tipo_cella::avviso_rallentamento:
                e.avvisi.push_back({metro_punto(n), n, c.dato1});
                break;
            default:
                break;
        }
    }
    e.rallentamenti = rallentamenti(s.celle);
    if (s.geometria) e.curve = curve_da_geometria(*s.geometria, e.lunghezza);
    e.pendenza = tratti(s.celle, [](const cella& c) { return c.pendenza - 100LL; });
    e.velocita = tratti(s.celle, [](const cella& c) { return c.velocita * 5LL; });
    e.aderenza = tratti(s.celle, [](const cella& c) { return static_cast<long long>(c.aderenza); });
    e.montagna = tratti(s.celle, [](const cella& c) { return static_cast<long long>(c.montagna); });
    e.progressive = sistemi(s.punti);
    if (s.punti.size() > static_cast<std::size_t>(indice_punti::ripetizione)) {
        const punto& r = s.punti[indice_punti::ripetizione];
        e.ripetizione_inizio = r.inizio;
        e.ripetizione_fine = r.fine;
        e.ripetizione_codici = r.posizione;
    }
    return e;
}

}  // namespace scenario::strumento
