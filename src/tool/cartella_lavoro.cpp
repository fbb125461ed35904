#include "tool/cartella_lavoro.h"

#include <cstdint>
#include <random>
#include <string>
#include <system_error>

#include "model/guasto.h"
#include "textfile/file_disco.h"

namespace scenario::strumento {

cartella_lavoro::cartella_lavoro() {
    std::error_code errore;
    std::filesystem::path base = std::filesystem::temp_directory_path(errore);
    if (errore) throw guasto_file("(temporary folder)", errore.message());
    std::random_device casuale;
    std::mt19937_64 generatore((static_cast<std::uint64_t>(casuale()) << 32) ^ casuale());
    for (int tentativo = 0; tentativo < 100; ++tentativo) {
        std::filesystem::path candidato = base / ("scenario-tool-" + std::to_string(generatore()));
        // create_directory reports false for a folder that already exists: never share one.
        if (std::filesystem::create_directory(candidato, errore)) {
            percorso_ = candidato;
            return;
        }
        if (errore) throw guasto_file(nome_leggibile(candidato), errore.message());
    }
    throw guasto_file(nome_leggibile(base), "no unused name for a working folder");
}

cartella_lavoro::~cartella_lavoro() {
    std::error_code ignora;
    std::filesystem::remove_all(percorso_, ignora);
}

}  // namespace scenario::strumento
