#include "tool/lettura_regolare.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "model/guasto.h"
#include "textfile/file_disco.h"

namespace scenario::strumento {

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
        throw file_rifiutato(nome, genere(info.st_mode) +
                                       ", not a regular file: a compiled "
                                       "file is only read from a regular file");
    }
    auto dimensione = static_cast<std::size_t>(info.st_size);
    if (info.st_size < 0 || dimensione > massimo) {
        throw file_rifiutato(nome, std::to_string(info.st_size) + " bytes, more than the " +
                                       std::to_string(massimo) +
                                       " bytes a compilation writes for this kind of file");
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

}  // namespace scenario::strumento
