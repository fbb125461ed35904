#pragma once

// The local server of the live page: loopback only, its own page and data only.
#include <ostream>
#include <string>

#include "tool/comando_compila.h"

namespace scenario::strumento {

struct richiesta_anteprima {
    richiesta_compilazione compilazione;
    int porta = 0;  // 0: a free port chosen by the system
};

// Whether a request's Host header names this server: its loopback address and port, nothing
// else (a page from another site that renamed itself to 127.0.0.1 is refused).
bool host_ammesso(const std::string& host, int porta);

// Serves until SIGINT or SIGTERM, then stops cleanly: the first line on `uscita` is the page's
// address. Returns the exit status (stati_uscita.h).
int servi(const richiesta_anteprima& richiesta, std::ostream& uscita, std::ostream& errori);

}  // namespace scenario::strumento
