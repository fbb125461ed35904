#include "support/cartella_temporanea.h"

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace scenario::prova {

cartella_temporanea::cartella_temporanea() {
    std::random_device casuale;
    for (int tentativo = 0; tentativo < 100; ++tentativo) {
        std::filesystem::path p = std::filesystem::temp_directory_path() /
                                  ("scenario_prova_" + std::to_string(casuale()));
        if (std::filesystem::create_directory(p)) {
            percorso_ = p;
            return;
        }
    }
    throw std::runtime_error("impossibile creare una cartella temporanea");
}

cartella_temporanea::~cartella_temporanea() {
    std::error_code ignora;
    std::filesystem::permissions(percorso_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignora);
    std::filesystem::remove_all(percorso_, ignora);
}

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
