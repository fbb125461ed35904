#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/guasto.h"

namespace scenario {

// One entry of the 87-entry record table. Member order and widths are the ".sim" file format.
// `nome` holds Windows-1252 bytes.
struct punto {
    std::uint8_t tipo = 0;
    std::int32_t inizio = 0;
    std::int32_t fine = 0;
    std::int32_t posizione = 0;
    std::uint8_t voce_4 = 0;
    std::string nome;
    std::int16_t voce_7 = 0;
    std::int16_t voce_8 = 0;
    std::int16_t voce_10 = 0;
    std::int16_t voce_11 = 0;
    std::int16_t voce_12 = 0;
    std::uint8_t voce_9 = 0;
    std::uint8_t voce_13 = 0;
    std::uint8_t voce_6 = 0;
    std::uint8_t voce_5 = 0;
    std::int32_t orario = 0;

    bool operator==(const punto&) const = default;
};

// A name goes to the ".sim" file after a 16-bit byte count.
inline constexpr std::size_t nome_massimo = 32767;

// A text from a source that becomes a `nome`: a longer one is a run-time fault of the compiler
// (code 25 with the record that holds it), not a failure of the file writer after the
// compilation.
inline std::string nome_ammesso(std::string testo) {
    if (testo.size() > nome_massimo) {
        throw guasto_esecuzione("testo di " + std::to_string(testo.size()) + " byte, oltre i " +
                                std::to_string(nome_massimo) + " di un nome");
    }
    return testo;
}

// Fixed indices of the table.
namespace indice_punti {
inline constexpr int numero = 87;
inline constexpr int primo_cartello = 80;  // board texts grow downwards from here
inline constexpr int progressiva_tre = 81;
inline constexpr int progressiva_due = 82;
inline constexpr int progressiva_uno = 83;
inline constexpr int treno = 84;
inline constexpr int scenario = 85;
inline constexpr int ripetizione = 86;
}  // namespace indice_punti

}  // namespace scenario
