#include "model/profilo_linea.h"

#include <string>

#include "model/guasto.h"

namespace scenario {

void profilo_linea::dimensiona(std::int32_t ultimo_metro) {
    if (ultimo_metro < 0) {
        throw guasto_esecuzione("profilo_linea: dimensione negativa " +
                                std::to_string(ultimo_metro));
    }
    std::size_t n = 2 * (static_cast<std::size_t>(ultimo_metro) + 1);
    tipi_.assign(n, tipo_valore::vuoto);
    valori_.assign(n, 0.0);
}

void profilo_linea::azzera() {
    tipi_.clear();
    valori_.clear();
}

std::size_t profilo_linea::indice(long long metro, int componente) const {
    long long metri = static_cast<long long>(tipi_.size() / 2);
    if (metro < 0 || metro >= metri || componente < 0 || componente > 1) {
        throw guasto_esecuzione("indice (" + std::to_string(metro) + ", " +
                                std::to_string(componente) + ") fuori da profilo_linea (0.." +
                                std::to_string(metri - 1) + ", 0..1)");
    }
    // First index fastest, as in the file.
    return static_cast<std::size_t>(componente) * static_cast<std::size_t>(metri) +
           static_cast<std::size_t>(metro);
}

void profilo_linea::imposta_intero(long long metro, int componente, std::int16_t valore) {
    std::size_t n = indice(metro, componente);
    tipi_[n] = tipo_valore::intero;
    valori_[n] = valore;
}

void profilo_linea::imposta_reale(long long metro, int componente, double valore) {
    std::size_t n = indice(metro, componente);
    tipi_[n] = tipo_valore::reale;
    valori_[n] = valore;
}

profilo_linea::tipo_valore profilo_linea::tipo(long long metro, int componente) const {
    return tipi_[indice(metro, componente)];
}

double profilo_linea::valore(long long metro, int componente) const {
    return valori_[indice(metro, componente)];
}

}  // namespace scenario
