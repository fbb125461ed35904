#pragma once

#include <stdexcept>
#include <string>

namespace scenario {

// A run-time fault: anything the compiler meets that would otherwise address outside an array,
// overflow a width or read past the end of a source. Inside `memorizza_dati` it becomes code 25.
class guasto_esecuzione : public std::runtime_error {
  public:
    explicit guasto_esecuzione(const std::string& causa) : std::runtime_error(causa) {}
};

// A failure of the file system (folder not writable, disk full, file locked): names the file and
// the system's reason. Outside the compiler it ends the run with a message.
class guasto_file : public std::runtime_error {
  public:
    guasto_file(const std::string& file, const std::string& causa)
        : std::runtime_error(file + ": " + causa), file_(file), causa_(causa) {}
    const std::string& file() const { return file_; }
    const std::string& causa() const { return causa_; }

  private:
    std::string file_;
    std::string causa_;
};

}  // namespace scenario
