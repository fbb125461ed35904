#pragma once

#include <cstddef>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace scenario::strumento {

// A file that is not what a reader of compiled files accepts: not a regular file, or larger
// than any compilation writes. Names the file and why.
class file_rifiutato : public std::runtime_error {
  public:
    file_rifiutato(const std::string& file, const std::string& causa)
        : std::runtime_error(file + ": " + causa), file_(file), causa_(causa) {}
    const std::string& file() const { return file_; }
    const std::string& causa() const { return causa_; }

  private:
    std::string file_;
    std::string causa_;
};

// The whole content of a regular file of at most `massimo` bytes. The file is opened without
// blocking and examined before a byte is read, so a FIFO never hangs the reader and a device
// (or a link to one) is never read: either is a file_rifiutato, and so is a file larger than
// `massimo`. Memory is the file's size. A failure of the system is a guasto_file.
std::string leggi_file_regolare(const std::filesystem::path& file, std::size_t massimo);

}  // namespace scenario::strumento
