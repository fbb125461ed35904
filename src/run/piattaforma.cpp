#include "run/piattaforma.h"

#include <iostream>

namespace scenario {

std::int32_t piattaforma_senza_schermo::mostra_messaggio(const std::string& testo) {
    std::cerr << testo << '\n';
    return pulsante_ok;
}

}  // namespace scenario
