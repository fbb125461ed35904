#include "tool/membri.h"

#include <charconv>

namespace scenario::strumento {

std::array<membro, 11> membri_cella(const cella& c) {
    return {{
        {"tipo", c.tipo},
        {"dato1", c.dato1},
        {"dato2", c.dato2},
        {"dato3", c.dato3},
        {"dato4", c.dato4},
        {"tempo", c.tempo},
        {"preavviso", c.preavviso},
        {"montagna", c.montagna},
        {"velocita", c.velocita},
        {"pendenza", c.pendenza},
        {"aderenza", c.aderenza},
    }};
}

std::array<membro, 15> membri_punto(const punto& p) {
    return {{
        {"tipo", p.tipo},
        {"inizio", p.inizio},
        {"fine", p.fine},
        {"posizione", p.posizione},
        {"voce_4", p.voce_4},
        {"voce_7", p.voce_7},
        {"voce_8", p.voce_8},
        {"voce_10", p.voce_10},
        {"voce_11", p.voce_11},
        {"voce_12", p.voce_12},
        {"voce_9", p.voce_9},
        {"voce_13", p.voce_13},
        {"voce_6", p.voce_6},
        {"voce_5", p.voce_5},
        {"orario", p.orario},
    }};
}

const char* ruolo_punto(int indice) {
    switch (indice) {
        case 0:
            return "unused";
        case indice_punti::progressiva_tre:
        case indice_punti::progressiva_due:
        case indice_punti::progressiva_uno:
            return "chainage system: inizio start, fine offset, posizione flag (largest start "
                   "first)";
        case indice_punti::treno:
            return "train: inizio braked-mass percentage, fine line length (m), posizione cars";
        case indice_punti::scenario:
            return "scenario: inizio, posizione, fine background changes; voce_7 stamp; orario "
                   "checksum";
        case indice_punti::ripetizione:
            return "train number: inizio, fine cab-signal section; posizione codes; voce_7 sand; "
                   "voce_10..12 clock";
        default:
            return "";
    }
}

std::string testo_reale(double valore) {
    char testo[64];
    auto [fine, errore] = std::to_chars(testo, testo + sizeof testo, valore);
    if (errore != std::errc{}) return "?";
    return std::string(testo, fine);
}

}  // namespace scenario::strumento
