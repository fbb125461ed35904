#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace scenario::strumento {

struct richiesta_compilazione {
    std::filesystem::path sorgenti;  // the folder holding the two sources
    std::filesystem::path uscita;    // where the binary files go
    std::string nome_scenario;
    std::string numero_treno;
    bool con_linea = true;  // false: no line geometry (the program's j = 0)
};

// Compiles the author's two sources exactly as the program compiles its own, in a private copy,
// and puts the binary files into `uscita`, each replaced whole. The outcome goes to `errori`;
// returns the exit status (stati_uscita.h).
int compila(const richiesta_compilazione& richiesta, std::ostream& errori);

// "compile DIR --scenario NAME --train NUMBER [--no-line] [--out OUTDIR]"; errore_uso for a
// mistake on the command line.
int comando_compila(const std::vector<std::string>& parole, std::ostream& uscita,
                    std::ostream& errori);

}  // namespace scenario::strumento
