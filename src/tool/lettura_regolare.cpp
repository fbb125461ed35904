#include "tool/lettura_regolare.h"

#include <cerrno>
#include <cstring>

#include "model/guasto.h"
#include "textfile/file_disco.h"

#ifdef _WIN32
#include "textfile/errore_windows.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace scenario::strumento {

namespace {

std::string troppo_grande(long long dimensione, std::size_t massimo) {
    return std::to_string(dimensione) + " bytes, more than the " + std::to_string(massimo) +
           " bytes a compilation writes for this kind of file";
}

const char* const solo_regolari =
    ", not a regular file: a compiled file is only read from a regular file";

}  // namespace

#ifdef _WIN32

namespace {

class maniglia {
  public:
    explicit maniglia(HANDLE h) : h_(h) {}
    maniglia(const maniglia&) = delete;
    maniglia& operator=(const maniglia&) = delete;
    ~maniglia() {
        if (h_ != INVALID_HANDLE_VALUE) CloseHandle(h_);
    }
    HANDLE get() const { return h_; }

  private:
    HANDLE h_;
};

std::string ultimo_errore() { return errore_windows(GetLastError()).message(); }

}  // namespace

std::string leggi_file_regolare(const std::filesystem::path& file, std::size_t massimo) {
    const std::string nome = nome_leggibile(file);
    // Opening a pipe or a device never waits; a folder opens only with backup semantics, so
    // that it can be named as what it is.
    maniglia f(CreateFileW(file.c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (f.get() == INVALID_HANDLE_VALUE) throw guasto_file(nome, ultimo_errore());
    if (GetFileType(f.get()) != FILE_TYPE_DISK) {
        throw file_rifiutato(nome, std::string("a device or a pipe") + solo_regolari);
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(f.get(), &info)) throw guasto_file(nome, ultimo_errore());
    if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        throw file_rifiutato(nome, std::string("a folder") + solo_regolari);
    }
    const unsigned long long grandezza =
        (static_cast<unsigned long long>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    if (grandezza > massimo) {
        throw file_rifiutato(nome, troppo_grande(static_cast<long long>(grandezza), massimo));
    }
    const auto dimensione = static_cast<std::size_t>(grandezza);
    std::string contenuto(dimensione, '\0');
    std::size_t letti = 0;
    // One more byte than checked is asked for: a file that grew is not read beyond the check.
    char oltre = 0;
    for (;;) {
        char* dove = letti < dimensione ? contenuto.data() + letti : &oltre;
        const std::size_t quanti = letti < dimensione ? dimensione - letti : 1;
        DWORD n = 0;
        const DWORD chiesti = quanti > 0x40000000u ? 0x40000000u : static_cast<DWORD>(quanti);
        if (!ReadFile(f.get(), dove, chiesti, &n, nullptr))
            throw guasto_file(nome, ultimo_errore());
        if (n == 0) break;
        if (letti >= dimensione) throw guasto_file(nome, "the file grew while it was read");
        letti += n;
    }
    contenuto.resize(letti);
    return contenuto;
}

#else

namespace {

class descrittore {
  public:
    explicit descrittore(int fd) : fd_(fd) {}
    descrittore(const descrittore&) = delete;
    descrittore& operator=(const descrittore&) = delete;
    ~descrittore() {
        if (fd_ >= 0) ::close(fd_);
    }
    int fd() const { return fd_; }

  private:
    int fd_;
};

std::string genere(mode_t modo) {
    if (S_ISDIR(modo)) return "a folder";
    if (S_ISFIFO(modo)) return "a FIFO";
    if (S_ISCHR(modo)) return "a character device";
    if (S_ISBLK(modo)) return "a block device";
    if (S_ISSOCK(modo)) return "a socket";
    return "not a regular file";
}

// Reads up to `quanti` bytes into `dove`, as many reads as it takes; fewer only at the end.
std::size_t leggi_tutto(int fd, char* dove, std::size_t quanti, const std::string& nome) {
    std::size_t letti = 0;
    while (letti < quanti) {
        ssize_t n = ::read(fd, dove + letti, quanti - letti);
        if (n < 0) {
            if (errno == EINTR) continue;
            throw guasto_file(nome, std::strerror(errno));
        }
        if (n == 0) break;
        letti += static_cast<std::size_t>(n);
    }
    return letti;
}

}  // namespace

std::string leggi_file_regolare(const std::filesystem::path& file, std::size_t massimo) {
    const std::string nome = nome_leggibile(file);
    // Without O_NONBLOCK the open itself waits for a writer at a FIFO.
    descrittore f(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (f.fd() < 0) throw guasto_file(nome, std::strerror(errno));
    struct stat info {};
    if (::fstat(f.fd(), &info) != 0) throw guasto_file(nome, std::strerror(errno));
    if (!S_ISREG(info.st_mode)) {
        throw file_rifiutato(nome, genere(info.st_mode) + solo_regolari);
    }
    auto dimensione = static_cast<std::size_t>(info.st_size);
    if (info.st_size < 0 || dimensione > massimo) {
        throw file_rifiutato(nome, troppo_grande(info.st_size, massimo));
    }
    std::string contenuto(dimensione, '\0');
    contenuto.resize(leggi_tutto(f.fd(), contenuto.data(), dimensione, nome));
    // A file that grew while it was read is not read beyond what was checked.
    char oltre = 0;
    if (contenuto.size() == dimensione && leggi_tutto(f.fd(), &oltre, 1, nome) != 0) {
        throw guasto_file(nome, "the file grew while it was read");
    }
    return contenuto;
}

#endif

}  // namespace scenario::strumento
