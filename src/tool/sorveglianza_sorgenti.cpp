#include "tool/sorveglianza_sorgenti.h"

#include <chrono>
#include <exception>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <utility>

#include "model/nomi_file.h"

namespace scenario::strumento {

namespace {

// Looked at five times a second: a save shows on the page well within a second, and reading
// two text files that often costs nothing worth counting.
constexpr std::chrono::milliseconds intervallo{200};

// The whole content, not the time stamp: the file system's clock is coarser than two saves in a
// row, and an editor may put an older time back. nullopt for a file that cannot be read.
std::optional<std::string> contenuto(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return std::nullopt;
    std::string testo((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return testo;
}

}  // namespace

sorveglianza_sorgenti::sorveglianza_sorgenti(richiesta_compilazione richiesta,
                                             stato_anteprima& stato)
    : richiesta_(std::move(richiesta)), stato_(stato), filo_([this] { segui(); }) {}

sorveglianza_sorgenti::~sorveglianza_sorgenti() {
    {
        std::lock_guard<std::mutex> chiave(mutex_);
        fermo_ = true;
    }
    sveglia_.notify_all();
    if (filo_.joinable()) filo_.join();
}

void sorveglianza_sorgenti::segui() {
    stato_run nomi;
    nomi.nome_scenario = richiesta_.nome_scenario;
    nomi.numero_treno = richiesta_.numero_treno;
    const std::filesystem::path linea = richiesta_.sorgenti / nome_sorgente_linea(nomi);
    const std::filesystem::path treno = richiesta_.sorgenti / nome_sorgente_treno(nomi);

    std::optional<std::pair<std::optional<std::string>, std::optional<std::string>>> visti;
    for (;;) {
        auto ora = std::make_pair(contenuto(linea), contenuto(treno));
        if (!visti || *visti != ora) {
            visti = std::move(ora);
            try {
                stato_.pubblica(compila_anteprima(richiesta_));
            } catch (const std::exception& e) {
                // The page keeps what it had and says why nothing new came.
                esito_anteprima esito;
                diagnostica d;
                d.messaggio = std::string("the page could not be updated: ") + e.what();
                esito.diagnostiche.push_back(d);
                stato_.pubblica(esito);
            }
        }
        std::unique_lock<std::mutex> chiave(mutex_);
        if (sveglia_.wait_for(chiave, intervallo, [this] { return fermo_; })) return;
    }
}

}  // namespace scenario::strumento
