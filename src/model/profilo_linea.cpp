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

void profilo_linea::fuori_limiti(long long metro, int componente) const {
    throw guasto_esecuzione("indice (" + std::to_string(metro) + ", " + std::to_string(componente) +
                            ") fuori da profilo_linea (0.." + std::to_string(ultimo_metro()) +
                            ", 0..1)");
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

}  // namespace scenario
