#include "textfile/operazioni_file.h"

#include <algorithm>
#include <cerrno>
#include <string>
#include <utility>

#include "textfile/errore_windows.h"
#include "textfile/nomi_temporanei.h"
#include "textfile/sonda_file.h"

#ifdef _WIN32
#include "textfile/sistema_windows.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace scenario {

namespace {

// A name taken by anything at all is skipped; after this many in a row something else is wrong.
constexpr int tentativi_nome = 100;

std::error_code errore_posix(int codice) { return {codice, std::generic_category()}; }

// Runs one operation between the probe's two calls; an errno from the probe replaces it.
template <typename F>
std::error_code sorvegliata(operazione_file operazione, const std::filesystem::path& file,
                            const std::filesystem::path& destinazione, F&& esegui) {
    std::error_code errore;
    if (int simulato = sonda_prima(operazione, file, destinazione); simulato != 0) {
        errore = errore_posix(simulato);
    } else {
        errore = esegui();
    }
    sonda_dopo(operazione, file, destinazione);
    return errore;
}

std::filesystem::path cartella_di(const std::filesystem::path& cartella) {
    return cartella.empty() ? std::filesystem::path(".") : cartella;
}

#ifdef _WIN32
std::error_code ultimo_errore() { return errore_windows(GetLastError()); }
#endif

}  // namespace

file_temporaneo::file_temporaneo(file_temporaneo&& altro) noexcept
    : file_(std::move(altro.file_)), destinazione_(std::move(altro.destinazione_)) {
#ifdef _WIN32
    maniglia_ = std::exchange(altro.maniglia_, nullptr);
#else
    fd_ = std::exchange(altro.fd_, -1);
#endif
}

#ifdef _WIN32

file_temporaneo::~file_temporaneo() {
    if (maniglia_ != nullptr) CloseHandle(maniglia_);
}

bool file_temporaneo::aperto() const { return maniglia_ != nullptr; }

std::error_code file_temporaneo::scrivi(std::string_view byte) {
    do {
        const DWORD blocco = static_cast<DWORD>(std::min<std::size_t>(byte.size(), 1U << 30));
        std::error_code errore =
            sorvegliata(operazione_file::scrivi, file_, destinazione_, [&]() -> std::error_code {
                DWORD scritti = 0;
                if (!WriteFile(maniglia_, byte.data(), blocco, &scritti, nullptr)) {
                    return ultimo_errore();
                }
                byte.remove_prefix(scritti);
                return {};
            });
        if (errore) return errore;
    } while (!byte.empty());
    return {};
}

std::error_code file_temporaneo::svuota() {
    return sorvegliata(operazione_file::svuota, file_, destinazione_, [&]() -> std::error_code {
        return FlushFileBuffers(maniglia_) ? std::error_code() : ultimo_errore();
    });
}

std::error_code file_temporaneo::chiudi() {
    return sorvegliata(operazione_file::chiudi, file_, destinazione_, [&]() -> std::error_code {
        const bool chiuso = CloseHandle(std::exchange(maniglia_, nullptr));
        return chiuso ? std::error_code() : ultimo_errore();
    });
}

cartella_scrittura::cartella_scrittura(const std::filesystem::path& cartella,
                                       std::error_code& errore)
    : percorso_(cartella_di(cartella)) {
    errore.clear();
}

cartella_scrittura::~cartella_scrittura() = default;

std::error_code cartella_scrittura::crea_temporaneo(const std::filesystem::path& destinazione,
                                                    file_temporaneo& temporaneo) {
    for (int tentativo = 0; tentativo < tentativi_nome; ++tentativo) {
        std::filesystem::path candidato = percorso_ / nuovo_nome_temporaneo();
        HANDLE maniglia = INVALID_HANDLE_VALUE;
        DWORD codice = 0;
        std::error_code errore =
            sorvegliata(operazione_file::crea, candidato, destinazione, [&]() -> std::error_code {
                // CREATE_NEW fails on any name already taken, a link included; the link is never
                // followed.
                maniglia =
                    CreateFileW(candidato.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
                if (maniglia != INVALID_HANDLE_VALUE) return {};
                codice = GetLastError();
                return errore_windows(codice);
            });
        if (errore && (codice == ERROR_FILE_EXISTS || codice == ERROR_ALREADY_EXISTS)) continue;
        if (errore) return errore;
        temporaneo.file_ = std::move(candidato);
        temporaneo.destinazione_ = destinazione;
        temporaneo.maniglia_ = maniglia;
        return {};
    }
    return errore_posix(EEXIST);
}

std::error_code cartella_scrittura::rinomina(const file_temporaneo& temporaneo) {
    return sorvegliata(operazione_file::rinomina, temporaneo.file(), temporaneo.destinazione(),
                       [&]() -> std::error_code {
                           // Write-through: the call returns once the move is on the disk, which
                           // stands in for the folder flush that Windows does not offer.
                           const bool fatto = MoveFileExW(
                               temporaneo.file().c_str(), temporaneo.destinazione().c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
                           return fatto ? std::error_code() : ultimo_errore();
                       });
}

bool cartella_scrittura::cartella_al_posto_di(const std::filesystem::path& destinazione) const {
    std::error_code ignora;
    return std::filesystem::is_directory(std::filesystem::symlink_status(destinazione, ignora));
}

std::error_code cartella_scrittura::svuota() {
    // Nothing to flush: each rename was written through.
    return sorvegliata(operazione_file::svuota, percorso_, {}, [] { return std::error_code(); });
}

std::error_code elimina_file(const std::filesystem::path& file) {
    return sorvegliata(operazione_file::elimina, file, {}, [&]() -> std::error_code {
        return DeleteFileW(file.c_str()) ? std::error_code() : ultimo_errore();
    });
}

#else

file_temporaneo::~file_temporaneo() {
    if (fd_ >= 0) ::close(fd_);
}

bool file_temporaneo::aperto() const { return fd_ >= 0; }

std::error_code file_temporaneo::scrivi(std::string_view byte) {
    do {
        const std::size_t blocco = std::min<std::size_t>(byte.size(), 1U << 30);
        std::error_code errore =
            sorvegliata(operazione_file::scrivi, file_, destinazione_, [&]() -> std::error_code {
                ssize_t scritti = 0;
                do {
                    scritti = ::write(fd_, byte.data(), blocco);
                } while (scritti < 0 && errno == EINTR);
                if (scritti < 0) return errore_posix(errno);
                byte.remove_prefix(static_cast<std::size_t>(scritti));
                return {};
            });
        if (errore) return errore;
    } while (!byte.empty());
    return {};
}

std::error_code file_temporaneo::svuota() {
    return sorvegliata(operazione_file::svuota, file_, destinazione_, [&]() -> std::error_code {
        return ::fsync(fd_) == 0 ? std::error_code() : errore_posix(errno);
    });
}

std::error_code file_temporaneo::chiudi() {
    return sorvegliata(operazione_file::chiudi, file_, destinazione_, [&]() -> std::error_code {
        // The descriptor is gone whatever close reports; EINTR must not be retried on Linux.
        return ::close(std::exchange(fd_, -1)) == 0 ? std::error_code() : errore_posix(errno);
    });
}

cartella_scrittura::cartella_scrittura(const std::filesystem::path& cartella,
                                       std::error_code& errore)
    : percorso_(cartella_di(cartella)) {
    fd_ = ::open(percorso_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    errore = fd_ < 0 ? errore_posix(errno) : std::error_code();
}

cartella_scrittura::~cartella_scrittura() {
    if (fd_ >= 0) ::close(fd_);
}

std::error_code cartella_scrittura::crea_temporaneo(const std::filesystem::path& destinazione,
                                                    file_temporaneo& temporaneo) {
    for (int tentativo = 0; tentativo < tentativi_nome; ++tentativo) {
        const std::string nome = nuovo_nome_temporaneo();
        std::filesystem::path candidato = percorso_ / nome;
        int fd = -1;
        std::error_code errore =
            sorvegliata(operazione_file::crea, candidato, destinazione, [&]() -> std::error_code {
                // O_EXCL refuses any name already taken, a link included, and O_NOFOLLOW says so
                // twice: nothing planted in the folder is ever written through. The mode is that
                // of any new file (0666 less the umask), since the file becomes the target.
                fd = ::openat(fd_, nome.c_str(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
                return fd < 0 ? errore_posix(errno) : std::error_code();
            });
        if (errore == std::errc::file_exists) continue;
        if (errore) return errore;
        temporaneo.file_ = std::move(candidato);
        temporaneo.destinazione_ = destinazione;
        temporaneo.fd_ = fd;
        return {};
    }
    return errore_posix(EEXIST);
}

std::error_code cartella_scrittura::rinomina(const file_temporaneo& temporaneo) {
    return sorvegliata(operazione_file::rinomina, temporaneo.file(), temporaneo.destinazione(),
                       [&]() -> std::error_code {
                           const std::string da = temporaneo.file().filename().string();
                           const std::string a = temporaneo.destinazione().filename().string();
                           return ::renameat(fd_, da.c_str(), fd_, a.c_str()) == 0
                                      ? std::error_code()
                                      : errore_posix(errno);
                       });
}

bool cartella_scrittura::cartella_al_posto_di(const std::filesystem::path& destinazione) const {
    struct stat s {};
    const std::string nome = destinazione.filename().string();
    return ::fstatat(fd_, nome.c_str(), &s, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(s.st_mode);
}

std::error_code cartella_scrittura::svuota() {
    return sorvegliata(operazione_file::svuota, percorso_, {}, [&]() -> std::error_code {
        if (::fsync(fd_) == 0) return {};
        // A file system that cannot flush a folder (EINVAL) offers nothing better to do.
        return errno == EINVAL ? std::error_code() : errore_posix(errno);
    });
}

std::error_code elimina_file(const std::filesystem::path& file) {
    return sorvegliata(operazione_file::elimina, file, {}, [&]() -> std::error_code {
        return ::unlink(file.c_str()) == 0 ? std::error_code() : errore_posix(errno);
    });
}

#endif

}  // namespace scenario
