#include "tool/significati.h"

#include <array>
#include <cstdint>

namespace scenario::strumento {

namespace {

// Member indices in file order.
constexpr std::size_t tipo = 0;
constexpr std::size_t dato1 = 1;
constexpr std::size_t dato4 = 4;
constexpr std::size_t velocita = 8;
constexpr std::size_t pendenza = 9;

std::int16_t dato(const cella& c, std::size_t indice) {
    const std::array<std::int16_t, 4> dati = {c.dato1, c.dato2, c.dato3, c.dato4};
    return dati.at(indice - dato1);
}

// A value packed as tens·10 + units, unpacked only where that is what it can be.
std::string decine_e_unita(std::int16_t valore, const char* decine, const char* unita) {
    if (valore < 0) return "";
    return std::string(decine) + " " + std::to_string(valore / 10) + ", " + unita + " " +
           std::to_string(valore % 10);
}

// A signal keeps the row's s and d fields of a group in one value: s·10 + d; dato4 holds rapp and
// the two sides' kinds as rapp·10 + (sx·3 + dx).
std::string segnale(const cella& c, std::size_t indice) {
    const std::int16_t v = dato(c, indice);
    switch (indice) {
        case 1:
            return decine_e_unita(v, "s1", "d1");
        case 2:
            return decine_e_unita(v, "s2", "d2");
        case 3:
            return decine_e_unita(v, "s3", "d3");
        default:
            return decine_e_unita(v, "rapp", "sx\u00b73+dx");
    }
}

// A maximum-speed board keeps a category's two speeds as (s/5)·100 + d/5, and the two stripe
// counts as s·10 + d.
std::string indicatore_v_max(const cella& c, std::size_t indice) {
    const std::int16_t v = dato(c, indice);
    if (v < 0) return "";
    if (indice == dato4) {
        return "stripes s " + std::to_string(v / 10) + ", d " + std::to_string(v % 10);
    }
    const char* categoria[] = {"A", "B", "C"};
    return std::string(categoria[indice - dato1]) + ": s " + std::to_string(v / 100 * 5) +
           " km/h, d " + std::to_string(v % 100 * 5) + " km/h";
}

std::string dato_per_tipo(const cella& c, std::size_t indice) {
    const std::int16_t v = dato(c, indice);
    switch (c.tipo) {
        case tipo_cella::segnale:
            return segnale(c, indice);
        case tipo_cella::indicatore_v_max:
            return indicatore_v_max(c, indice);
        case tipo_cella::inizio_rallentamento:
        case tipo_cella::fine_rallentamento:
        case tipo_cella::avviso_rallentamento:
            if (indice == dato1) return std::to_string(v) + " km/h";
            return "";
        case tipo_cella::preavviso_avviso:
            if (indice == dato1) return "cell " + std::to_string(v) + " before the warning board";
            return "";
        case tipo_cella::fermata:
            if (indice == dato1) return "station record " + std::to_string(v);
            return "";
        case tipo_cella::cartello_indicazione:
            if (indice == dato1) return "text in record " + std::to_string(v);
            return "";
        case tipo_cella::punto_codice:
            if (indice == dato1) return "code " + std::to_string(v);
            return "";
        default:
            return "";
    }
}

}  // namespace

const char* nome_tipo_cella(std::uint8_t valore) {
    switch (valore) {
        case tipo_cella::binario:
            return "plain track";
        case tipo_cella::segnale:
            return "signal";
        case tipo_cella::fine_rallentamento:
            return "end of slowdown";
        case tipo_cella::inizio_rallentamento:
            return "start of slowdown";
        case tipo_cella::avviso_rallentamento:
            return "slowdown warning board";
        case tipo_cella::preavviso_avviso:
            return "cell before a warning board";
        case tipo_cella::indicatore_v_max:
            return "maximum-speed board";
        case tipo_cella::fermata:
            return "station stop";
        case tipo_cella::marcatore_montagna:
            return "mountain marker";
        case tipo_cella::punto_codice:
            return "cab-code point";
        case tipo_cella::punto_codice_nullo:
            return "cab-code point without a code";
        case tipo_cella::cartello_indicazione:
            return "indication board";
        default:
            return "";
    }
}

std::string significato_membro_cella(const cella& c, std::size_t indice) {
    switch (indice) {
        case tipo:
            return nome_tipo_cella(c.tipo);
        case velocita:
            return std::to_string(c.velocita * 5) + " km/h";
        case pendenza: {
            const int per_mille = c.pendenza - 100;
            return (per_mille > 0 ? "+" : "") + std::to_string(per_mille) + " \u2030";
        }
        default:
            if (indice >= dato1 && indice <= dato4) return dato_per_tipo(c, indice);
            return "";
    }
}

}  // namespace scenario::strumento
