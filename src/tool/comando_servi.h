#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace scenario::strumento {

// "serve DIR --scenario NAME --train NUMBER [--no-line] [--port N]"; errore_uso for a mistake on
// the command line.
int comando_servi(const std::vector<std::string>& parole, std::ostream& uscita,
                  std::ostream& errori);

}  // namespace scenario::strumento
