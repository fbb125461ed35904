#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace scenario::strumento {

// "check DIR --scenario NAME --train NUMBER [--no-line] [--format text|gcc|json]": every
// problem of the two sources at once, written to `uscita`; no file is written. Exit status 0 no
// error (warnings allowed), 1 errors, 2 a source missing or unreadable; errore_uso for a mistake
// on the command line.
int comando_verifica(const std::vector<std::string>& parole, std::ostream& uscita,
                     std::ostream& errori);

}  // namespace scenario::strumento
