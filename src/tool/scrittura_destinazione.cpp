#include "tool/scrittura_destinazione.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

#include "model/guasto.h"
#include "textfile/file_disco.h"

namespace scenario::strumento {

namespace {

namespace fs = std::filesystem;

void scrivi_attraverso(const fs::path& file, std::string_view contenuto) {
    int descrittore = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (descrittore == -1) throw guasto_file(nome_leggibile(file), std::strerror(errno));
    std::size_t fatti = 0;
    while (fatti < contenuto.size()) {
        ssize_t scritti = ::write(descrittore, contenuto.data() + fatti, contenuto.size() - fatti);
        if (scritti < 0 && errno == EINTR) continue;
        if (scritti <= 0) {
            int errore = scritti < 0 ? errno : EIO;
            ::close(descrittore);
            throw guasto_file(nome_leggibile(file), std::strerror(errore));
        }
        fatti += static_cast<std::size_t>(scritti);
    }
    if (::close(descrittore) != 0 && errno != EINTR) {
        throw guasto_file(nome_leggibile(file), std::strerror(errno));
    }
}

}  // namespace

void scrivi_destinazione(const fs::path& file, std::string_view contenuto) {
    std::error_code errore;
    fs::file_status proprio = fs::symlink_status(file, errore);
    if (proprio.type() == fs::file_type::regular || proprio.type() == fs::file_type::not_found) {
        sostituisci_file(file, contenuto);
        return;
    }
    if (proprio.type() == fs::file_type::symlink &&
        fs::status(file, errore).type() == fs::file_type::regular) {
        fs::path bersaglio = fs::canonical(file, errore);
        if (!errore) {
            sostituisci_file(bersaglio, contenuto);
            return;
        }
    }
    scrivi_attraverso(file, contenuto);
}

}  // namespace scenario::strumento
