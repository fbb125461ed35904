#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/luogo_sorgente.h"

namespace scenario {

// What a recorded code means, in a few words; "codice sconosciuto" for a number not in use.
const char* significato_codice(std::int32_t codice);

// Whether the code is one the program records (the table of the README).
bool codice_noto(std::int32_t codice);

// Whether the raiser of a code records a position with it.
bool codice_con_posizione(std::int32_t codice);

// One line for a person: the code, its meaning, the position where the code has one and, where
// known, the source record that raised it as file:line:column; for code 25 the fault behind it.
std::string descrivi_errore(std::int32_t codice, std::int32_t posizione,
                            const luogo_sorgente& luogo = {}, std::string_view causa = {});

}  // namespace scenario
