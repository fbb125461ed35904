#pragma once

#include <cstdint>

#include "model/stato_run.h"
#include "run/piattaforma.h"

namespace scenario {

// Compiles the two sources, runs the cell pass, stamps and writes the binary files (the line
// geometry only when `j` is not 0). Returns false, writing nothing, when the compiler left the
// cell array unsized. Codes 1250 and 1251 end the program through `errore`.
bool memorizza_percorso(stato_run& stato, piattaforma& schermo, std::int32_t j);

}  // namespace scenario
