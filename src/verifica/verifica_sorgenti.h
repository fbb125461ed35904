#pragma once

#include <vector>

#include "model/cella.h"
#include "model/diagnostica.h"
#include "model/punto.h"
#include "run/compilazione_privata.h"

namespace scenario {

// Every problem of two sources at once: the real readers and rules in their keep-going mode,
// the geometry built as a compilation builds it, the cell pass on what was read and the stamp
// checks; no binary file is written. The diagnostics come in the order they were found.
std::vector<diagnostica> verifica_sorgenti(sorgenti_da_compilare sorgenti);

// What the cells and the record table hold once the check has read both sources and run the cell
// pass, for an editor that shows what a row put where.
struct contenuto_verificato {
    std::vector<cella> celle;
    std::vector<punto> punti;
};
std::vector<diagnostica> verifica_sorgenti(sorgenti_da_compilare sorgenti,
                                           contenuto_verificato& contenuto);

}  // namespace scenario
