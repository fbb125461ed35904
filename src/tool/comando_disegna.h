#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace scenario::strumento {

struct richiesta_disegno {
    std::filesystem::path cartella;  // where the compiled files are
    std::string nome_scenario;
    std::string numero_treno;
    std::filesystem::path svg;  // the page to write
    // The stretch to draw, in km from the start; each end defaults to the line's.
    std::optional<double> da_km;
    std::optional<double> a_km;
};

// Reads and decodes the three compiled files, draws them, writes the page (replaced whole).
int disegna(const richiesta_disegno& richiesta, std::ostream& errori);

// "render DIR --scenario NAME --train NUMBER -o FILE.svg [--from KM] [--to KM]".
int comando_disegna(const std::vector<std::string>& parole, std::ostream& uscita,
                    std::ostream& errori);

}  // namespace scenario::strumento
