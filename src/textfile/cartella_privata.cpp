#include "textfile/cartella_privata.h"

#include <cstdint>
#include <random>
#include <system_error>

#include "model/guasto.h"
#include "textfile/file_disco.h"

namespace scenario {

cartella_privata::cartella_privata(std::string_view prefisso, const std::filesystem::path& base) {
    std::error_code errore;
    std::filesystem::path dove = base;
    if (dove.empty()) {
        dove = std::filesystem::temp_directory_path(errore);
        if (errore) throw guasto_file("(cartella temporanea)", errore.message());
    }
    std::random_device casuale;
    std::mt19937_64 generatore((static_cast<std::uint64_t>(casuale()) << 32) ^ casuale());
    for (int tentativo = 0; tentativo < 100; ++tentativo) {
        std::filesystem::path candidato =
            dove / (std::string(prefisso) + std::to_string(generatore()));
        // create_directory reports false for a folder that already exists: never share one.
        if (std::filesystem::create_directory(candidato, errore)) {
            percorso_ = candidato;
            sorveglianza_.emplace(percorso_);
            return;
        }
        if (errore) throw guasto_file(nome_leggibile(candidato), errore.message());
    }
    throw guasto_file(nome_leggibile(dove), "nessun nome libero per una cartella privata");
}

cartella_privata::~cartella_privata() {
    std::error_code ignora;
    // A folder made read-only on purpose (tests of a failing disk) must still go.
    std::filesystem::permissions(percorso_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignora);
    std::filesystem::remove_all(percorso_, ignora);
}

}  // namespace scenario
