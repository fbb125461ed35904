#pragma once

// Where the labels of a row go: the most important first, each on the first of a few levels
// where it meets no other label, shifted to stay inside the axis; a label that finds no level is
// left out at this scale. The live page places its labels by the same rules.
#include <string>
#include <vector>

namespace scenario::strumento {

struct candidata {
    double x = 0;              // the anchor on the page
    std::string testo;         // UTF-8
    int priorita = 0;          // higher first
    bool dall_inizio = false;  // the label starts at x instead of being centred on it
    bool grassetto = false;
    std::string colore;  // empty: the row's colour
};

struct etichetta_posta {
    const candidata* c = nullptr;
    double x0 = 0;  // left edge
    double larghezza = 0;
    int livello = 0;
};

// Room kept free between two labels on one level, in page units.
inline constexpr double distanza_etichette = 6;

// An upper bound of the width of a text at `dimensione` units in the page's sans-serif font, so
// that two labels laid out apart never touch when drawn.
double larghezza_stimata(const std::string& utf8, double dimensione, bool grassetto);

std::vector<etichetta_posta> disponi(const std::vector<candidata>& candidate, int livelli,
                                     double sinistra, double destra, double dimensione);

}  // namespace scenario::strumento
