#include "output/coerenza_insieme.h"

#include "output/formato_file.h"
#include "output/lettore_byte.h"

namespace scenario::formato {

std::int32_t lunghezza_registrata(const std::vector<punto>& punti) {
    const auto treno = static_cast<std::size_t>(indice_punti::treno);
    if (punti.size() <= treno) {
        throw file_malformato(
            0, "record " + std::to_string(treno) + ", which holds the line length, is missing");
    }
    std::int32_t lunghezza = punti[treno].fine;
    if (lunghezza >= lunghezza_minima && lunghezza <= lunghezza_massima) return lunghezza;
    std::size_t dove = 0;
    for (std::size_t n = 0; n < treno; ++n) dove += byte_punto(punti[n].nome.size());
    throw file_malformato(dove + in_punto::fine,
                          "record " + std::to_string(treno) + ": line length " +
                              std::to_string(lunghezza) + " m, outside the " +
                              std::to_string(lunghezza_minima) + " to " +
                              std::to_string(lunghezza_massima) + " m a compilation writes");
}

void verifica_celle(std::int32_t lunghezza, std::size_t celle, const std::string& file_sim) {
    std::size_t attese = celle_per_lunghezza(lunghezza);
    if (celle == attese) return;
    throw insieme_incoerente(std::to_string(celle) + " track cells, but the line length of " +
                             std::to_string(lunghezza) + " m in " + file_sim + " (record " +
                             std::to_string(indice_punti::treno) + ") makes " +
                             std::to_string(attese) + " cells");
}

void verifica_metri(std::int32_t lunghezza, std::size_t metri, const std::string& file_sim) {
    std::size_t attesi = metri_per_lunghezza(lunghezza);
    if (metri == attesi) return;
    throw insieme_incoerente(
        std::to_string(metri) + " metres of geometry, but the line length of " +
        std::to_string(lunghezza) + " m in " + file_sim + " (record " +
        std::to_string(indice_punti::treno) + ") makes " + std::to_string(attesi) +
        " metres (0 to " + std::to_string(attesi - 1) + ")");
}

}  // namespace scenario::formato
