#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace scenario {

// Where the bytes of a file go as they are produced, in order: a temporary file on the disk, or
// memory. A failure throws (guasto_file for the disk).
class destinazione_byte {
  public:
    virtual ~destinazione_byte() = default;
    virtual void ricevi(std::string_view byte) = 0;
};

// Gathers everything into one string.
class destinazione_stringa : public destinazione_byte {
  public:
    void ricevi(std::string_view byte) override { dati_.append(byte); }
    std::string& dati() { return dati_; }

  private:
    std::string dati_;
};

// What writes a file's bytes into a destination, from the first byte to the last. Producing a
// file as it is written, rather than whole beforehand, keeps a long line's geometry out of memory.
using produzione_byte = std::function<void(destinazione_byte&)>;

}  // namespace scenario
