#include "textfile/file_disco.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>
#include <vector>

#include "model/guasto.h"

namespace scenario {

namespace {

// The streams leave errno as the system set it; 0 means that the stream failed on its own.
std::string causa_errno(int codice) {
    return codice != 0 ? std::strerror(codice) : "errore di ingresso/uscita";
}

std::filesystem::path temporaneo_di(const std::filesystem::path& file) {
    std::filesystem::path temporaneo = file;
    temporaneo += ".tmp";
    return temporaneo;
}

void rimuovi_temporanei(const std::vector<contenuto_file>& insieme, std::size_t quanti) {
    std::error_code ignora;
    for (std::size_t n = 0; n < quanti; ++n) {
        std::filesystem::remove(temporaneo_di(insieme[n].file), ignora);
    }
}

// The content, complete, under the file's temporary name; a failure removes what was written.
void scrivi_temporaneo(const contenuto_file& voce) {
    const std::filesystem::path temporaneo = temporaneo_di(voce.file);
    // Opened with the path itself, never a narrow copy of its name: on Windows a narrow name goes
    // through the ANSI code page, and a folder such as "C:\Users\Nicolò" would not be found.
    errno = 0;
    std::ofstream f(temporaneo, std::ios::binary | std::ios::trunc);
    if (!f.is_open()) throw guasto_file(nome_leggibile(voce.file), causa_errno(errno));
    f.write(voce.contenuto.data(), static_cast<std::streamsize>(voce.contenuto.size()));
    int errore_scrittura = f ? 0 : errno;
    f.close();
    if (!f && errore_scrittura == 0) errore_scrittura = errno;
    if (!f) {
        std::error_code ignora;
        std::filesystem::remove(temporaneo, ignora);
        throw guasto_file(nome_leggibile(voce.file), causa_errno(errore_scrittura));
    }
}

}  // namespace

std::string nome_leggibile(const std::filesystem::path& file) {
    std::filesystem::path copia = file;
    return copia.make_preferred().string();
}

void sostituisci_file(const std::filesystem::path& file, std::string_view contenuto) {
    sostituisci_file({contenuto_file{file, contenuto}});
}

void sostituisci_file(const std::vector<contenuto_file>& insieme) {
    for (std::size_t n = 0; n < insieme.size(); ++n) {
        try {
            scrivi_temporaneo(insieme[n]);
        } catch (const guasto_file&) {
            rimuovi_temporanei(insieme, n);
            throw;
        }
    }
    // A folder standing at a name would stop the renames half-way: it is found while nothing has
    // been replaced yet.
    for (const contenuto_file& voce : insieme) {
        std::error_code ignora;
        if (std::filesystem::is_directory(voce.file, ignora)) {
            rimuovi_temporanei(insieme, insieme.size());
            throw guasto_file(nome_leggibile(voce.file), std::strerror(EISDIR));
        }
    }
    for (std::size_t n = 0; n < insieme.size(); ++n) {
        std::error_code errore;
        std::filesystem::rename(temporaneo_di(insieme[n].file), insieme[n].file, errore);
        if (errore) {
            rimuovi_temporanei(insieme, insieme.size());
            throw guasto_file(nome_leggibile(insieme[n].file), errore.message());
        }
    }
}

std::string leggi_file(const std::filesystem::path& file) {
    errno = 0;
    std::ifstream f(file, std::ios::binary);
    if (!f.is_open()) throw guasto_file(nome_leggibile(file), causa_errno(errno));
    std::string contenuto;
    char blocco[65536];
    // A read error sets badbit here rather than escaping as an exception of the stream buffer.
    while (f.read(blocco, sizeof blocco) || f.gcount() > 0) {
        contenuto.append(blocco, static_cast<std::size_t>(f.gcount()));
    }
    if (f.bad()) throw guasto_file(nome_leggibile(file), causa_errno(errno));
    return contenuto;
}

void elimina_se_esiste(const std::filesystem::path& file) {
    std::error_code errore;
    std::filesystem::remove(file, errore);
    if (errore) throw guasto_file(nome_leggibile(file), errore.message());
}

}  // namespace scenario
