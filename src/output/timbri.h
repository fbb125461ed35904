#pragma once

#include <cstdint>
#include <string>

#include "model/stato_run.h"
#include "run/piattaforma.h"

namespace scenario {

// The 25 bytes both identity checksums are taken over: the lower-cased train number, scenario
// name (from punti(86) and punti(85)) and the constant that fills up short names.
std::string stringa_codici_gara(const stato_run& stato);

// The sum of the 25 character codes, and the sum of position (1..25) times character code.
std::int32_t codice_gara_og(const stato_run& stato);
std::int32_t codice_gara_st(const stato_run& stato);

// The stamp checks (1250, 1251 end the program through `errore`), then the stamps.
void applica_timbri(stato_run& stato, piattaforma& schermo);

}  // namespace scenario
