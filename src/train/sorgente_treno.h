#pragma once

#include <string>
#include <vector>

#include "model/stato_run.h"

namespace scenario {

// The built-in train source: its 56 lines followed by the end marker.
std::vector<std::string> elenco_sorgente_treno();

// Writes the train source `nome_scenario` + "_" + `numero_treno` + "-.txt".
void dati_treno(const stato_run& stato);

}  // namespace scenario
