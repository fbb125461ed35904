#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace scenario::strumento {

struct richiesta_disegno {
    std::filesystem::path cartella;  // where the compiled files are
    std::string nome_scenario;
    std::string numero_treno;
    std::filesystem::path svg;  // the page to write
};

// Reads and decodes the three compiled files, draws them, writes the page (replaced whole).
int disegna(const richiesta_disegno& richiesta, std::ostream& errori);

// "render DIR --scenario NAME --train NUMBER -o FILE.svg".
int comando_disegna(const std::vector<std::string>& parole, std::ostream& uscita,
                    std::ostream& errori);

}  // namespace scenario::strumento
