#pragma once

#include <string>

#include "model/stato_run.h"

namespace scenario {

// The exact bytes of each binary file.
std::string byte_profilo_linea(const stato_run& stato);
std::string byte_punti(const stato_run& stato);
std::string byte_percorso(const stato_run& stato);

// Writes "_linea.dat" (only when `scrivi_linea` is not 0), ".sim" and ".dat", in that order.
void scrivi_file_binari(const stato_run& stato);

}  // namespace scenario
