// The plan of the line, drawn from the per-metre geometry.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tool/disegno_parti.h"
#include "tool/etichette.h"
#include "tool/svg.h"

namespace scenario::strumento::disegno {

namespace {

struct punto_piano {
    double x;
    double y;
};

std::optional<punto_piano> a_metro(const profilo_linea& g, std::int64_t metro) {
    if (metro < 0 || metro > g.ultimo_metro()) return std::nullopt;
    if (g.tipo(metro, 0) == profilo_linea::tipo_valore::vuoto ||
        g.tipo(metro, 1) == profilo_linea::tipo_valore::vuoto) {
        return std::nullopt;
    }
    punto_piano p{g.valore(metro, 0), g.valore(metro, 1)};
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) return std::nullopt;
    return p;
}

// Turns geometry coordinates into page coordinates. The plan is turned so that the line runs
// from left to right like the distance axis under it; the geometry's own frame has no north.
class proiezione {
  public:
    proiezione(const std::vector<punto_piano>& linea, double x, double y, double larghezza,
               double altezza_massima, double margine_x, double margine_y) {
        const punto_piano& a = linea.front();
        const punto_piano& b = linea.back();
        double dx = b.x - a.x;
        double dy = b.y - a.y;
        double angolo = std::hypot(dx, dy) > 1.0 ? std::atan2(dy, dx) : 0.0;
        coseno_ = std::cos(angolo);
        seno_ = std::sin(angolo);
        origine_ = a;
        double umin = 0, umax = 0, vmin = 0, vmax = 0;
        for (const punto_piano& p : linea) {
            auto [u, v] = ruota(p);
            umin = std::min(umin, u);
            umax = std::max(umax, u);
            vmin = std::min(vmin, v);
            vmax = std::max(vmax, v);
        }
        double du = std::max(umax - umin, 1.0);
        double dv = std::max(vmax - vmin, 1.0);
        scala_ = std::min((larghezza - 2 * margine_x) / du, (altezza_massima - 2 * margine_y) / dv);
        altezza_ = std::max(dv * scala_ + 2 * margine_y, 150.0);
        sinistra_ = x + (larghezza - du * scala_) / 2 - umin * scala_;
        alto_ = y + (altezza_ - dv * scala_) / 2 + vmax * scala_;
    }

    punto_piano pagina(const punto_piano& p) const {
        auto [u, v] = ruota(p);
        return {sinistra_ + u * scala_, alto_ - v * scala_};
    }
    double scala() const { return scala_; }  // page units per metre
    double altezza() const { return altezza_; }

  private:
    std::pair<double, double> ruota(const punto_piano& p) const {
        double x = p.x - origine_.x;
        double y = p.y - origine_.y;
        return {x * coseno_ + y * seno_, -x * seno_ + y * coseno_};
    }

    double coseno_ = 1, seno_ = 0, scala_ = 1, altezza_ = 0, sinistra_ = 0, alto_ = 0;
    punto_piano origine_{0, 0};
};

std::string polilinea(const profilo_linea& g, const proiezione& pr, std::int64_t da, std::int64_t a,
                      std::int64_t passo) {
    std::string punti;
    for (std::int64_t m = da;; m += passo) {
        if (m > a) m = a;
        if (auto p = a_metro(g, m)) {
            punto_piano q = pr.pagina(*p);
            punti += svg::n(q.x) + "," + svg::n(q.y) + " ";
        }
        if (m == a) break;
    }
    return punti;
}

void cerchio(std::string& out, const punto_piano& p, double r, const char* riempimento) {
    out += svg::cerchio(
        p.x, p.y, r,
        std::string("fill=\"") + riempimento + "\" stroke=\"#ffffff\" stroke-width=\"1\"");
}

struct riquadro {
    double x0, y0, x1, y1;
};

bool incontra(const riquadro& r, const std::vector<riquadro>& presi) {
    for (const riquadro& p : presi) {
        if (r.x0 < p.x1 + 4 && p.x0 < r.x1 + 4 && r.y0 < p.y1 && p.y0 < r.y1) return true;
    }
    return false;
}

// One row of samples beside the panel's heading, clear of the drawing.
void legenda(std::string& out, double x, double y) {
    struct voce {
        const char* testo;
        const char* colore;
        bool tratto;
    };
    const voce voci[] = {{"line", colore_linea, true},
                         {"slowdown", colore_rallentamento, true},
                         {"station", colore_stazione, false},
                         {"signal", colore_segnale, false},
                         {"kilometre mark", "#888888", false}};
    for (const voce& v : voci) {
        if (v.tratto) {
            out += svg::linea(x, y - 4, x + 18, y - 4,
                              std::string("stroke=\"") + v.colore + "\" stroke-width=\"4\"");
        } else {
            cerchio(out, {x + 9, y - 4}, 4.5, v.colore);
        }
        out += svg::scritta(x + 24, y, v.testo, "font-size=\"11\"");
        x += 34 + 6.5 * static_cast<double>(std::char_traits<char>::length(v.testo));
    }
}

}  // namespace

double pianta(std::string& out, const scenario_compilato& s, double x, double y, double larghezza,
              double altezza_massima, double da, double a) {
    const profilo_linea& g = *s.geometria;
    std::int64_t primo =
        std::clamp<std::int64_t>(static_cast<std::int64_t>(std::floor(da)), 0, g.ultimo_metro());
    std::int64_t ultimo =
        std::clamp<std::int64_t>(static_cast<std::int64_t>(std::ceil(a)), primo, g.ultimo_metro());
    std::int64_t passo = std::max<std::int64_t>(1, (ultimo - primo) / 6000);
    std::vector<punto_piano> campioni;
    for (std::int64_t m = primo; m <= ultimo; m += passo) {
        if (auto p = a_metro(g, m)) campioni.push_back(*p);
    }
    out += svg::scritta(x, y + 14, "Plan of the line", "font-size=\"14\" font-weight=\"bold\"");
    if (campioni.size() < 2) {
        out += svg::scritta(x, y + 40, "The geometry file holds no points to draw.",
                            "font-size=\"12\"");
        return 60;
    }

    constexpr double intestazione = 24;
    proiezione pr(campioni, x, y + intestazione, larghezza, altezza_massima - intestazione, 70, 45);
    out += svg::polilinea(polilinea(g, pr, primo, ultimo, passo),
                          std::string("fill=\"none\" stroke=\"") + colore_linea +
                              "\" stroke-width=\"2.5\" stroke-linejoin=\"round\"");

    for (const rallentamento& r : rallentamenti(s.celle)) {
        if (r.fine < primo || r.inizio > ultimo) continue;
        std::int64_t inizio = std::max<std::int64_t>(r.inizio, primo);
        std::int64_t fine = std::min<std::int64_t>(std::max(r.fine, r.inizio + 1), ultimo);
        out += svg::polilinea(polilinea(g, pr, inizio, std::max(fine, inizio), 10),
                              std::string("fill=\"none\" stroke=\"") + colore_rallentamento +
                                  "\" stroke-width=\"7\" stroke-linecap=\"round\" opacity=\"0.9\"");
    }

    std::vector<std::pair<punto_piano, const stazione*>> fermate;
    std::vector<stazione> elenco = stazioni(s.punti);
    for (const stazione& st : elenco) {
        if (st.posizione < primo || st.posizione > ultimo) continue;
        if (auto p = a_metro(g, st.posizione)) fermate.push_back({pr.pagina(*p), &st});
    }

    for (std::size_t n = 0; n < s.celle.size(); ++n) {
        if (s.celle[n].tipo != tipo_cella::segnale) continue;
        std::int64_t m = metro_punto(n);
        if (m < primo || m > ultimo) continue;
        if (auto p = a_metro(g, m)) cerchio(out, pr.pagina(*p), 3.2, colore_segnale);
    }

    // Labels are placed as boxes that may neither meet nor leave the panel: station names
    // first, above their dot or else below it, then the kilometre marks where room is left.
    std::vector<riquadro> presi;
    const double destra = x + larghezza;
    const double basso = y + intestazione + pr.altezza();
    for (const auto& [q, st] : fermate) cerchio(out, q, 6, colore_stazione);
    for (const auto& [q, st] : fermate) {
        double w = larghezza_stimata(st->nome, 12, true);
        double x0 = std::clamp(q.x - w / 2, x, destra - w);
        for (double base : {q.y - 11, q.y + 21}) {
            riquadro r{x0, base - 12, x0 + w, base + 3};
            if (r.y0 < y + intestazione || r.y1 > basso || incontra(r, presi)) continue;
            presi.push_back(r);
            out += svg::scritta(x0, base, svg::testo(st->nome),
                                std::string("font-size=\"12\" font-weight=\"bold\" fill=\"") +
                                    colore_stazione + "\"");
            break;
        }
    }
    double tra_segni = passo_tondo(55.0 / pr.scala() / 1000.0) * 1000.0;
    for (double m = std::ceil(static_cast<double>(primo) / tra_segni) * tra_segni;
         m < static_cast<double>(ultimo); m += tra_segni) {
        auto p = a_metro(g, static_cast<std::int64_t>(m));
        if (!p) continue;
        punto_piano q = pr.pagina(*p);
        cerchio(out, q, 2.5, "#888888");
        std::string scritta = km(m) + " km";
        riquadro r{q.x + 4, q.y + 4, q.x + 4 + larghezza_stimata(scritta, 10, false), q.y + 17};
        if (r.x1 > destra || r.y1 > basso || incontra(r, presi)) continue;
        presi.push_back(r);
        out += svg::scritta(r.x0, q.y + 14, scritta, "font-size=\"10\" fill=\"#777777\"");
    }

    // Scale bar, bottom left.
    double barra_km = passo_tondo(80.0 / pr.scala() / 1000.0);
    double lunga = barra_km * 1000.0 * pr.scala();
    double by = y + intestazione + pr.altezza() - 12;
    out += svg::tracciato("M" + svg::n(x) + "," + svg::n(by - 5) + " v5 h" + svg::n(lunga) + " v-5",
                          "fill=\"none\" stroke=\"#333333\" stroke-width=\"1.5\"");
    out += svg::scritta(x + lunga + 6, by, km(barra_km * 1000.0) + " km", "font-size=\"11\"");

    legenda(out, x + larghezza - 430, y + 14);
    return intestazione + pr.altezza();
}

}  // namespace scenario::strumento::disegno
