#include "tool/scrittura_destinazione.h"

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>

#include <vector>

#include "textfile/sistema_windows.h"
#else
#include <unistd.h>
#endif

#include <cerrno>
#include <cstring>
#include <system_error>

#include "model/guasto.h"
#include "textfile/file_disco.h"

namespace scenario::strumento {

namespace {

namespace fs = std::filesystem;

#ifdef _WIN32
// The wide name, so that a folder named outside the ANSI code page is reached; bytes as they are.
int apri_attraverso(const fs::path& file) {
    return ::_wopen(file.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY | _O_NOINHERIT,
                    _S_IREAD | _S_IWRITE);
}
long scrivi_byte(int descrittore, const char* da, std::size_t quanti) {
    constexpr std::size_t blocco = 1U << 30;
    return ::_write(descrittore, da, static_cast<unsigned>(quanti < blocco ? quanti : blocco));
}
int chiudi(int descrittore) { return ::_close(descrittore); }
// NUL, CON, COM1 and the like, and \\.\ names: the system resolves them to a
// device path, which is never a file to rename over.
bool e_dispositivo(const fs::path& file) {
    const DWORD serve = GetFullPathNameW(file.c_str(), 0, nullptr, nullptr);
    if (serve == 0) return false;
    std::vector<wchar_t> completo(serve);
    const DWORD scritti = GetFullPathNameW(file.c_str(), serve, completo.data(), nullptr);
    if (scritti == 0 || scritti >= serve) return false;
    return std::wstring_view(completo.data(), scritti).starts_with(L"\\\\.\\");
}
#else
int apri_attraverso(const fs::path& file) {
    return ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
}
long scrivi_byte(int descrittore, const char* da, std::size_t quanti) {
    return ::write(descrittore, da, quanti);
}
int chiudi(int descrittore) { return ::close(descrittore); }
bool e_dispositivo(const fs::path&) { return false; }
#endif

void scrivi_attraverso(const fs::path& file, std::string_view contenuto) {
    int descrittore = apri_attraverso(file);
    if (descrittore == -1) throw guasto_file(nome_leggibile(file), std::strerror(errno));
    std::size_t fatti = 0;
    while (fatti < contenuto.size()) {
        long scritti = scrivi_byte(descrittore, contenuto.data() + fatti, contenuto.size() - fatti);
        if (scritti < 0 && errno == EINTR) continue;
        if (scritti <= 0) {
            int errore = scritti < 0 ? errno : EIO;
            chiudi(descrittore);
            throw guasto_file(nome_leggibile(file), std::strerror(errore));
        }
        fatti += static_cast<std::size_t>(scritti);
    }
    if (chiudi(descrittore) != 0 && errno != EINTR) {
        throw guasto_file(nome_leggibile(file), std::strerror(errno));
    }
}

}  // namespace

void scrivi_destinazione(const fs::path& file, std::string_view contenuto) {
    if (e_dispositivo(file)) {
        scrivi_attraverso(file, contenuto);
        return;
    }
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
