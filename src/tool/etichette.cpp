#include "tool/etichette.h"

#include <algorithm>
#include <iterator>
#include <utility>

namespace scenario::strumento {

double larghezza_stimata(const std::string& utf8, double dimensione, bool grassetto) {
    double em = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        auto b = static_cast<unsigned char>(utf8[i]);
        if ((b & 0xC0) == 0x80) continue;  // the rest of a character already counted
        char c = static_cast<char>(b);
        if (b >= 0x80) {
            em += 0.78;
        } else if (c == ' ' || c == '.' || c == ',' || c == ':' || c == ';' || c == '\'' ||
                   c == 'i' || c == 'l' || c == 'j' || c == '|' || c == '!') {
            em += 0.36;
        } else if (c == '(' || c == ')' || c == '[' || c == ']' || c == 'f' || c == 't' ||
                   c == 'r' || c == 'I' || c == 'J') {
            em += 0.45;
        } else if (c >= 'A' && c <= 'Z') {
            em += (c == 'M' || c == 'W') ? 0.95 : 0.78;
        } else if (c == 'm' || c == 'w' || c == '_') {
            em += 0.92;
        } else {
            em += 0.66;
        }
    }
    return em * dimensione * (grassetto ? 1.12 : 1.0);
}

std::vector<etichetta_posta> disponi(const std::vector<candidata>& candidate, int livelli,
                                     double sinistra, double destra, double dimensione) {
    std::vector<const candidata*> ordine;
    ordine.reserve(candidate.size());
    for (const candidata& c : candidate) ordine.push_back(&c);
    std::stable_sort(ordine.begin(), ordine.end(), [](const candidata* p, const candidata* q) {
        return p->priorita != q->priorita ? p->priorita > q->priorita : p->x < q->x;
    });
    // Each level keeps its taken stretches sorted by their left edge.
    std::vector<std::vector<std::pair<double, double>>> occupati(
        static_cast<std::size_t>(std::max(livelli, 0)));
    std::vector<etichetta_posta> posti;
    for (const candidata* c : ordine) {
        double w = larghezza_stimata(c->testo, dimensione, c->grassetto);
        if (w > destra - sinistra) continue;
        double x0 = c->dall_inizio ? c->x : c->x - w / 2;
        x0 = std::min(std::max(x0, sinistra), destra - w);
        double x1 = x0 + w;
        for (std::size_t l = 0; l < occupati.size(); ++l) {
            auto& livello = occupati[l];
            auto dopo = std::upper_bound(livello.begin(), livello.end(), x0,
                                         [](double x, const auto& s) { return x < s.first; });
            bool libero = true;
            if (dopo != livello.begin() && std::prev(dopo)->second + distanza_etichette > x0) {
                libero = false;
            }
            if (dopo != livello.end() && dopo->first < x1 + distanza_etichette) libero = false;
            if (!libero) continue;
            livello.insert(dopo, {x0, x1});
            posti.push_back({c, x0, w, static_cast<int>(l)});
            break;
        }
    }
    return posti;
}

}  // namespace scenario::strumento
