#include "model/punto.h"
#include "output/timbri.h"

namespace scenario {

namespace {

constexpr std::size_t lunghezza_stringa = 25;
constexpr const char* riempimento = "aabbccddeeffgghhiillmmnnoo";

// Lower case of one Windows-1252 byte.
unsigned char minuscola(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 0x20);
    // À..Þ to à..þ; × (0xD7) has no lower-case form.
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 0x20);
    switch (c) {
        case 0x8A:
            return 0x9A;  // Š
        case 0x8C:
            return 0x9C;  // Œ
        case 0x8E:
            return 0x9E;  // Ž
        case 0x9F:
            return 0xFF;  // Ÿ
        default:
            return c;
    }
}

}  // namespace

std::string stringa_codici_gara(const stato_run& stato) {
    std::string intera = stato.punti[indice_punti::ripetizione].nome +
                         stato.punti[indice_punti::scenario].nome + riempimento;
    std::string stringa = intera.substr(0, lunghezza_stringa);
    for (char& c : stringa) c = static_cast<char>(minuscola(static_cast<unsigned char>(c)));
    return stringa;
}

std::int32_t codice_gara_og(const stato_run& stato) {
    std::int32_t somma = 0;
    for (char c : stringa_codici_gara(stato)) somma += static_cast<unsigned char>(c);
    return somma;
}

std::int32_t codice_gara_st(const stato_run& stato) {
    std::int32_t somma = 0;
    std::int32_t posizione = 1;
    for (char c : stringa_codici_gara(stato)) somma += posizione++ * static_cast<unsigned char>(c);
    return somma;
}

}  // namespace scenario
