#pragma once

// One compilation for the live page: as `compile` does it, in a private folder, but the files
// are read back into memory instead of being put beside the sources.
#include <optional>
#include <vector>

#include "tool/comando_compila.h"
#include "tool/diagnostica.h"
#include "tool/scenario_compilato.h"

namespace scenario::strumento {

struct esito_anteprima {
    // The compiled files, when the compiler got far enough to write them (a recorded code may
    // still be among the diagnostics).
    std::optional<scenario_compilato> scenario;
    std::vector<diagnostica> diagnostiche;
    bool pulita() const { return scenario.has_value() && diagnostiche.empty(); }
};

// `richiesta.uscita` is not used: nothing is written outside the private folder, which is gone
// when this returns.
esito_anteprima compila_anteprima(const richiesta_compilazione& richiesta);

}  // namespace scenario::strumento
