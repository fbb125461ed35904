#include "support/impronta.h"

#include <cstdio>
#include <stdexcept>

namespace scenario::prova {

std::string sha256(const std::filesystem::path& file) {
    std::string comando = "sha256sum < '" + file.string() + "'";
    std::FILE* uscita = popen(comando.c_str(), "r");
    if (uscita == nullptr) throw std::runtime_error("impossibile eseguire " + comando);
    char riga[128] = {};
    bool letta = std::fgets(riga, sizeof riga, uscita) != nullptr;
    int stato = pclose(uscita);
    std::string impronta = letta ? std::string(riga).substr(0, 64) : "";
    if (stato != 0 || impronta.size() != 64) throw std::runtime_error(comando + " non riuscito");
    return impronta;
}

}  // namespace scenario::prova
