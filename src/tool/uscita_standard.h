#pragma once

#include <array>
#include <streambuf>
#include <string>

namespace scenario::strumento {

// The tool's standard output: bytes go to a file descriptor through write(2), and the first
// write the system refuses is remembered with its reason, so that a full disk or a closed
// descriptor ends the command with a message and status 3 instead of a silent 0.
class buffer_descrittore : public std::streambuf {
  public:
    // A closed descriptor gets /dev/null opened read-only on its number: writes still fail
    // (with "Bad file descriptor"), and no file the command opens later can take the number and
    // receive the output.
    explicit buffer_descrittore(int descrittore);
    ~buffer_descrittore() override;
    buffer_descrittore(const buffer_descrittore&) = delete;
    buffer_descrittore& operator=(const buffer_descrittore&) = delete;

    // The system's reason for the first refused write; empty while every write succeeded.
    const std::string& causa() const { return causa_; }

  protected:
    int_type overflow(int_type c) override;
    int sync() override;

  private:
    bool svuota();

    int descrittore_;
    std::array<char, 1 << 16> buffer_{};
    std::string causa_;
};

}  // namespace scenario::strumento
