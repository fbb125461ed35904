#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace scenario {

// A compiled file that does not have the layout of docs/formats.md; names the byte offset where
// the decoder found the fault.
class file_malformato : public std::runtime_error {
  public:
    file_malformato(std::size_t offset, const std::string& cosa)
        : std::runtime_error("byte offset " + std::to_string(offset) + ": " + cosa),
          offset_(offset),
          cosa_(cosa) {}
    std::size_t offset() const { return offset_; }
    const std::string& cosa() const { return cosa_; }  // without the offset

  private:
    std::size_t offset_;
    std::string cosa_;
};

// Reads little-endian values from a file's bytes, checking every read against the end: a value
// cut short is a file_malformato at the offset where it begins.
class lettore_byte {
  public:
    explicit lettore_byte(std::string_view dati) : dati_(dati) {}

    std::uint8_t u8(const char* cosa);
    std::uint16_t u16(const char* cosa);
    std::int16_t i16(const char* cosa);
    std::int32_t i32(const char* cosa);
    double f64(const char* cosa);
    std::string_view grezzi(std::size_t quanti, const char* cosa);

    std::size_t posizione() const { return pos_; }
    std::size_t restanti() const { return dati_.size() - pos_; }
    bool fine() const { return pos_ == dati_.size(); }

  private:
    std::uint64_t in_ordine(std::size_t quanti, const char* cosa);
    void richiedi(std::size_t quanti, const char* cosa) const;

    std::string_view dati_;
    std::size_t pos_ = 0;
};

}  // namespace scenario
