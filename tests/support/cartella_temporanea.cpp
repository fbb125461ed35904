#include "support/cartella_temporanea.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace scenario::prova {

std::string leggi_tutto(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("impossibile leggere " + file.string());
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void scrivi_tutto(const std::filesystem::path& file, const std::string& contenuto) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << contenuto;
    if (!out) throw std::runtime_error("impossibile scrivere " + file.string());
}

}  // namespace scenario::prova
