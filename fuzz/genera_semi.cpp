// Writes the seeds that come from the program itself: the built-in line and train sources, for
// fuzz_linea and fuzz_treno, and both joined for fuzz_entrambe. The small hand-written seeds are
// in fuzz/corpus/.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "fuzz/semi.h"

namespace {

bool scrivi(const std::filesystem::path& file, const std::string& contenuto) {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << contenuto;
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    using namespace scenario::fuzz;
    if (argc != 2) {
        std::cerr << "uso: genera_semi CARTELLA\n";
        return 64;
    }
    const std::filesystem::path cartella = argv[1];
    const std::string linea = sorgente_linea_incorporata();
    const std::string treno = sorgente_treno_incorporata();
    bool scritti = scrivi(cartella / "linea" / "incorporata.txt", linea) &&
                   scrivi(cartella / "treno" / "incorporata.txt", treno) &&
                   scrivi(cartella / "entrambe" / "incorporate.txt",
                          linea + std::string(separatore_treno) + treno);
    if (!scritti) {
        std::cerr << "genera_semi: impossibile scrivere in " << cartella.string() << '\n';
        return 1;
    }
    return 0;
}
