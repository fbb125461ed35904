#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "textfile/destinazione_byte.h"

namespace scenario {

// Writes the bytes of a binary file: little-endian two's complement integers and IEEE 754
// doubles, packed with nothing between them, whatever the host's own byte order. The bytes are
// gathered in a block of fixed size and passed on whole, so that a file of millions of values
// costs one copy per value and a few large writes, however long it is.
class scrittore_byte {
  public:
    // The bytes are kept here, for `dati` and `prendi`.
    scrittore_byte();
    // The bytes go to `destinazione` as each block fills; `concludi` passes on the last ones.
    explicit scrittore_byte(destinazione_byte& destinazione);
    scrittore_byte(const scrittore_byte&) = delete;
    scrittore_byte& operator=(const scrittore_byte&) = delete;

    // How many bytes the whole file will hold, when they are kept here.
    void riserva(std::size_t byte);

    void u8(std::uint8_t v) { in_ordine(v, 1); }
    void u16(std::uint16_t v) { in_ordine(v, 2); }
    // Conversion to the unsigned type of the same width is the two's complement bit pattern.
    void i16(std::int16_t v) { in_ordine(static_cast<std::uint16_t>(v), 2); }
    void i32(std::int32_t v) { in_ordine(static_cast<std::uint32_t>(v), 4); }
    void f64(double v);
    void grezzi(std::string_view byte);  // bytes as they are, no length, no terminator

    // For encoding many values at once: room for `byte` bytes (at most `blocco_massimo`) at the
    // end of the block, written straight into it; `avanza` then counts those written.
    static constexpr std::size_t blocco_massimo = std::size_t{256} * 1024;
    std::span<char> spazio(std::size_t byte);
    void avanza(std::size_t byte);

    // Passes on the bytes still in the block.
    void concludi();
    // The bytes kept here, all of them.
    const std::string& dati();
    std::string prendi();

  private:
    // The value's `quanti` low bytes, least significant first.
    void in_ordine(std::uint64_t v, std::size_t quanti) {
        if (capacita_ - usati_ < quanti) svuota_blocco();
        scrivi_in_ordine(blocco_.get() + usati_, v, quanti);
        usati_ += quanti;
    }

  public:
    // The value's `quanti` low bytes (at most 8), least significant first, at `dove`. On a
    // little-endian host the value's own bytes are already in file order.
    static void scrivi_in_ordine(char* dove, std::uint64_t v, std::size_t quanti) {
        char byte[8];
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(byte, &v, sizeof byte);
        } else {
            for (char& b : byte) {
                b = static_cast<char>(static_cast<unsigned char>(v & 0xFFu));
                v >>= 8;
            }
        }
        std::memcpy(dove, byte, quanti);
    }

  private:
    // Passes the block's bytes on; a block that filled grows, up to `blocco_massimo`, so that a
    // small file never pays for a large block and a large one is written in large pieces.
    void svuota_blocco(std::size_t servono = 0);

    static constexpr std::size_t blocco_iniziale = 4096;

    destinazione_stringa propria_;
    destinazione_byte* destinazione_;
    std::unique_ptr<char[]> blocco_;
    std::size_t capacita_ = blocco_iniziale;
    std::size_t usati_ = 0;
};

}  // namespace scenario
