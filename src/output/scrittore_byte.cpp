#include "output/scrittore_byte.h"

#include <bit>
#include <cstring>

namespace scenario {

// The bytes are gathered first and appended in one call: the geometry of a long line is
// millions of values. On a little-endian host the value's own bytes are already in file order.
void scrittore_byte::in_ordine(std::uint64_t v, int quanti) {
    char byte[8];
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(byte, &v, sizeof byte);
    } else {
        for (char& b : byte) {
            b = static_cast<char>(static_cast<unsigned char>(v & 0xFFu));
            v >>= 8;
        }
    }
    dati_.append(byte, static_cast<std::size_t>(quanti));
}

void scrittore_byte::u8(std::uint8_t v) { in_ordine(v, 1); }
void scrittore_byte::u16(std::uint16_t v) { in_ordine(v, 2); }
// Conversion to the unsigned type of the same width is the two's complement bit pattern.
void scrittore_byte::i16(std::int16_t v) { in_ordine(static_cast<std::uint16_t>(v), 2); }
void scrittore_byte::i32(std::int32_t v) { in_ordine(static_cast<std::uint32_t>(v), 4); }
void scrittore_byte::f64(double v) { in_ordine(std::bit_cast<std::uint64_t>(v), 8); }
void scrittore_byte::grezzi(std::string_view byte) { dati_.append(byte); }

}  // namespace scenario
