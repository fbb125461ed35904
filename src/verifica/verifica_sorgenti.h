#pragma once

#include <vector>

#include "model/diagnostica.h"
#include "run/compilazione_privata.h"

namespace scenario {

// Every problem of two sources at once: the real readers and rules in their keep-going mode,
// the geometry built as a compilation builds it, the cell pass on what was read and the stamp
// checks; no binary file is written. The diagnostics come in the order they were found.
std::vector<diagnostica> verifica_sorgenti(sorgenti_da_compilare sorgenti);

}  // namespace scenario
