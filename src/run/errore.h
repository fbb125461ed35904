#pragma once

#include <cstdint>
#include <string>

#include "model/stato_run.h"
#include "run/piattaforma.h"

namespace scenario {

// Thrown by `errore` to end the program: it unwinds to the start-up handler, which ends the run
// without writing anything more.
struct fine_programma {
    std::int32_t codice;
};

// Shows " Errore n. " followed by `a`, keeps the button in `risposta`, then ends the program.
[[noreturn]] void errore(stato_run& stato, piattaforma& schermo, const std::string& a);

}  // namespace scenario
