#include "tool/piattaforma_strumento.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#endif

namespace scenario::strumento {

std::int32_t piattaforma_strumento::mostra_messaggio(const std::string& testo) {
    errori_ << "scenario-tool:" << testo << '\n';
    return pulsante_ok;
}

void flussi_binari() {
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
}

}  // namespace scenario::strumento
