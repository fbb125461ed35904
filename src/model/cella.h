#pragma once

#include <cstdint>

namespace scenario {

// One track cell (50 m). Member order and widths are the ".dat" file format.
struct cella {
    std::uint8_t tipo = 0;
    std::int16_t dato1 = 0;
    std::int16_t dato2 = 0;
    std::int16_t dato3 = 0;
    std::int16_t dato4 = 0;
    std::uint8_t tempo = 0;
    std::uint8_t preavviso = 0;
    std::uint8_t montagna = 0;
    std::uint8_t velocita = 0;
    std::uint8_t pendenza = 0;
    std::uint8_t aderenza = 0;

    bool operator==(const cella&) const = default;
};

// Values of `tipo`.
namespace tipo_cella {
inline constexpr std::uint8_t binario = 0;
inline constexpr std::uint8_t segnale = 1;
inline constexpr std::uint8_t fine_rallentamento = 2;
inline constexpr std::uint8_t inizio_rallentamento = 3;
inline constexpr std::uint8_t avviso_rallentamento = 4;
inline constexpr std::uint8_t preavviso_avviso = 5;
inline constexpr std::uint8_t indicatore_v_max = 6;
inline constexpr std::uint8_t fermata = 10;
inline constexpr std::uint8_t marcatore_montagna = 11;
inline constexpr std::uint8_t punto_codice = 12;
inline constexpr std::uint8_t punto_codice_nullo = 13;
inline constexpr std::uint8_t cartello_indicazione = 14;
}  // namespace tipo_cella

// A mountain marker may be overwritten by any feature: it counts as free track.
inline bool libera(const cella& c) {
    return c.tipo == tipo_cella::binario || c.tipo == tipo_cella::marcatore_montagna;
}

}  // namespace scenario
