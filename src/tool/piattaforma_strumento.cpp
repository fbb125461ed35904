#include "tool/piattaforma_strumento.h"

namespace scenario::strumento {

std::int32_t piattaforma_strumento::mostra_messaggio(const std::string& testo) {
    errori_ << "scenario-tool:" << testo << '\n';
    return pulsante_ok;
}

}  // namespace scenario::strumento
