#include "textfile/file_disco.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>

#include "model/guasto.h"

namespace scenario {

namespace {

std::string causa_errno(int codice) { return std::strerror(codice); }

struct chiudi_file {
    void operator()(std::FILE* f) const {
        if (f != nullptr) std::fclose(f);
    }
};

}  // namespace

std::string nome_leggibile(const std::filesystem::path& file) {
    std::filesystem::path copia = file;
    return copia.make_preferred().string();
}

void sostituisci_file(const std::filesystem::path& file, std::string_view contenuto) {
    std::filesystem::path temporaneo = file;
    temporaneo += ".tmp";
    std::FILE* f = std::fopen(temporaneo.string().c_str(), "wb");
    if (f == nullptr) throw guasto_file(nome_leggibile(file), causa_errno(errno));
    bool scritto = contenuto.empty() || std::fwrite(contenuto.data(), 1, contenuto.size(), f) == contenuto.size();
    int errore_scrittura = scritto ? 0 : errno;
    if (std::fflush(f) != 0 && scritto) {
        scritto = false;
        errore_scrittura = errno;
    }
    if (std::fclose(f) != 0 && scritto) {
        scritto = false;
        errore_scrittura = errno;
    }
    if (!scritto) {
        std::error_code ignora;
        std::filesystem::remove(temporaneo, ignora);
        throw guasto_file(nome_leggibile(file), causa_errno(errore_scrittura));
    }
    std::error_code errore;
    std::filesystem::rename(temporaneo, file, errore);
    if (errore) {
        std::error_code ignora;
        std::filesystem::remove(temporaneo, ignora);
        throw guasto_file(nome_leggibile(file), errore.message());
    }
}

std::string leggi_file(const std::filesystem::path& file) {
    std::unique_ptr<std::FILE, chiudi_file> f(std::fopen(file.string().c_str(), "rb"));
    if (!f) throw guasto_file(nome_leggibile(file), causa_errno(errno));
    std::string contenuto;
    char blocco[65536];
    std::size_t letti = 0;
    while ((letti = std::fread(blocco, 1, sizeof blocco, f.get())) > 0) contenuto.append(blocco, letti);
    if (std::ferror(f.get())) throw guasto_file(nome_leggibile(file), causa_errno(errno));
    return contenuto;
}

void elimina_se_esiste(const std::filesystem::path& file) {
    std::error_code errore;
    std::filesystem::remove(file, errore);
    if (errore) throw guasto_file(nome_leggibile(file), errore.message());
}

}  // namespace scenario
