#pragma once

#include <cstdint>

#include "model/stato_run.h"
#include "run/piattaforma.h"

namespace scenario {

// The identity checksums over the first 25 characters of the lower-cased train number, scenario
// name and constant.
std::int32_t codice_gara_og(const stato_run& stato);
std::int32_t codice_gara_st(const stato_run& stato);

// The stamp checks (1250, 1251 end the program through `errore`), then the stamps.
void applica_timbri(stato_run& stato, piattaforma& schermo);

}  // namespace scenario
