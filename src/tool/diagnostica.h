#pragma once

// One finding about the author's sources, in a form that a list on a page, an editor or a
// one-line report can all use. A compilation stops at its first code and fills one; a mode that
// keeps going can fill many.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/stato_run.h"

namespace scenario::strumento {

enum class gravita { errore, avviso, nota };

struct diagnostica {
    gravita livello = gravita::errore;
    std::int32_t codice = 0;                // the recorded code, 0 for a finding without one
    std::string file;                       // as the author names it; empty when no row is known
    std::int32_t riga = 0;                  // 1-based; 0 when unknown
    std::int32_t colonna = 0;               // 1-based; 0 when unknown
    std::optional<std::int32_t> posizione;  // metres along the line, where the code has one
    std::string messaggio;                  // the code's meaning and what caused it
    std::vector<std::string> note;          // pointers elsewhere ("the cell is taken by …")
};

const char* nome_gravita(gravita g);

// "FILE:LINE:COLUMN: error: message", the form editors read; without a file the program's name
// stands in its place.
std::string riga_diagnostica(const diagnostica& d);

// The code a compilation recorded, as a finding; the file is the one `luogo_errore` names.
diagnostica diagnostica_da_stato(const stato_run& stato);

}  // namespace scenario::strumento
