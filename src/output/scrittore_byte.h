#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace scenario {

// Builds the bytes of a binary file: little-endian two's complement integers and IEEE 754
// doubles, packed with nothing between them, whatever the host's own byte order.
class scrittore_byte {
  public:
    void riserva(std::size_t byte) { dati_.reserve(byte); }

    void u8(std::uint8_t v);
    void u16(std::uint16_t v);
    void i16(std::int16_t v);
    void i32(std::int32_t v);
    void f64(double v);
    void grezzi(std::string_view byte);  // bytes as they are, no length, no terminator

    const std::string& dati() const { return dati_; }
    std::string prendi() { return std::move(dati_); }

  private:
    void in_ordine(std::uint64_t v, int quanti);

    std::string dati_;
};

}  // namespace scenario
