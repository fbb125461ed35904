#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace scenario::strumento {

struct richiesta_sorgenti {
    std::filesystem::path cartella;
    std::string nome_scenario;
    std::string numero_treno;
    bool sovrascrivi = false;
};

// Writes the built-in line and train sources, byte for byte as the program writes them, under
// the given identity. Without `sovrascrivi` an existing file stops it before anything is written.
int esporta_sorgenti(const richiesta_sorgenti& richiesta, std::ostream& errori);

// "sources DIR [--scenario NAME] [--train NUMBER] [--force]".
int comando_sorgenti(const std::vector<std::string>& parole, std::ostream& uscita,
                     std::ostream& errori);

}  // namespace scenario::strumento
