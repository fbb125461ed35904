#pragma once

#include <string>
#include <vector>

#include "model/stato_run.h"

namespace scenario {

// The built-in line source: its 150 lines followed by the end marker.
std::vector<std::string> elenco_sorgente_linea();

// Writes the line source `nome_scenario` + "_linea.txt" into the run's folder.
void dati_linea(const stato_run& stato);

}  // namespace scenario
