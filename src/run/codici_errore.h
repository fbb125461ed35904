#pragma once

#include <cstdint>
#include <string>

#include "model/stato_run.h"

namespace scenario {

// What a recorded code means, in a few words; "codice sconosciuto" for a number not in use.
const char* significato_codice(std::int32_t codice);

// Whether the code is one the program records (the table of the README).
bool codice_noto(std::int32_t codice);

// Whether the raiser of a code records a position with it.
bool codice_con_posizione(std::int32_t codice);

// One line for a person: the code, its meaning, the position where one was recorded and, where
// known, the source record that raised it as file:line:column.
std::string descrivi_errore(const stato_run& stato);

}  // namespace scenario
