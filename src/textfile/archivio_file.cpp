#include "textfile/archivio_file.h"

#include <cerrno>
#include <cstring>
#include <system_error>
#include <utility>

#include "model/guasto.h"
#include "model/stato_run.h"

namespace scenario {

namespace {

class archivio_su_disco : public archivio_file {
  public:
    bool esiste(const std::filesystem::path& file) const override {
        std::error_code ignora;
        return std::filesystem::is_regular_file(file, ignora);
    }
    std::string leggi(const std::filesystem::path& file) const override { return leggi_file(file); }
    void elimina(const std::filesystem::path& file) override { elimina_se_esiste(file); }
    void elimina_senza_guasto(const std::filesystem::path& file) override {
        scenario::elimina_senza_guasto(file);
    }
    void sostituisci(const std::vector<file_prodotto>& insieme) override {
        sostituisci_file(insieme);
    }
};

std::string nome_di(const std::filesystem::path& file) { return file.filename().string(); }

}  // namespace

archivio_file& archivio_disco() {
    static archivio_su_disco disco;
    return disco;
}

archivio_file& archivio_di(const stato_run& stato) {
    return stato.archivio != nullptr ? *stato.archivio : archivio_disco();
}

bool archivio_memoria::esiste(const std::filesystem::path& file) const {
    return file_.find(nome_di(file)) != file_.end();
}

const archivio_memoria::voce& archivio_memoria::trova(const std::filesystem::path& file) const {
    auto trovato = file_.find(nome_di(file));
    if (trovato == file_.end()) throw guasto_file(nome_leggibile(file), std::strerror(ENOENT));
    return trovato->second;
}

std::string archivio_memoria::leggi(const std::filesystem::path& file) const {
    const voce& v = trova(file);
    if (!v.produci) return v.byte;
    destinazione_stringa destinazione;
    v.produci(destinazione);
    return std::move(destinazione.dati());
}

std::uintmax_t archivio_memoria::dimensione(const std::filesystem::path& file) const {
    class contatore : public destinazione_byte {
      public:
        void ricevi(std::string_view byte) override { totale += byte.size(); }
        std::uintmax_t totale = 0;
    };
    const voce& v = trova(file);
    if (!v.produci) return v.byte.size();
    contatore conta;
    v.produci(conta);
    return conta.totale;
}

void archivio_memoria::elimina(const std::filesystem::path& file) { file_.erase(nome_di(file)); }

void archivio_memoria::elimina_senza_guasto(const std::filesystem::path& file) {
    file_.erase(nome_di(file));
}

void archivio_memoria::sostituisci(const std::vector<file_prodotto>& insieme) {
    if (rinvia_) {
        for (const file_prodotto& f : insieme) file_[nome_di(f.file)] = voce{{}, f.produci};
        return;
    }
    std::vector<std::string> contenuti;
    contenuti.reserve(insieme.size());
    for (const file_prodotto& f : insieme) {
        destinazione_stringa destinazione;
        f.produci(destinazione);
        contenuti.push_back(std::move(destinazione.dati()));
    }
    for (std::size_t n = 0; n < insieme.size(); ++n) {
        file_[nome_di(insieme[n].file)] = voce{std::move(contenuti[n]), {}};
    }
}

void archivio_memoria::metti(const std::filesystem::path& file, std::string contenuto) {
    file_[nome_di(file)] = voce{std::move(contenuto), {}};
}

std::vector<std::string> archivio_memoria::nomi() const {
    std::vector<std::string> elenco;
    elenco.reserve(file_.size());
    for (const auto& voce : file_) elenco.push_back(voce.first);
    return elenco;
}

}  // namespace scenario
