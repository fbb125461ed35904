#pragma once

#include <cstdint>
#include <string>

#include "model/stato_run.h"

namespace scenario {

// The 25 bytes both identity checksums are taken over: the lower-cased train number, scenario
// name (from punti(86) and punti(85)) and the constant that fills up short names.
std::string stringa_codici_gara(const stato_run& stato);

// The sum of the 25 character codes, and the sum of position (1..25) times character code.
std::int32_t codice_gara_og(const stato_run& stato);
std::int32_t codice_gara_st(const stato_run& stato);

// The stamp checks, each followed by its stamps. Returns 0 when both places were unused, or the
// code of the first check that failed (1250, 1251) with the stamps before it applied; ending the
// program on it is the caller's business.
std::int32_t applica_timbri(stato_run& stato);

}  // namespace scenario
