#pragma once

#include <string>
#include <vector>

#include "model/stato_run.h"

namespace scenario {

// The crew documents: each list holds the document's lines followed by the end marker.
std::vector<std::string> elenco_note();
std::vector<std::string> elenco_rallentamenti();
std::vector<std::string> elenco_scheda();

void dati_note(const stato_run& stato);
void dati_rallentamenti(const stato_run& stato);
void dati_scheda(const stato_run& stato);

}  // namespace scenario
