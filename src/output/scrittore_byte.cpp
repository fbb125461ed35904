#include "output/scrittore_byte.h"

#include <bit>

namespace scenario {

void scrittore_byte::in_ordine(std::uint64_t v, int quanti) {
    for (int n = 0; n < quanti; ++n) {
        dati_.push_back(static_cast<char>(static_cast<unsigned char>(v & 0xFFu)));
        v >>= 8;
    }
}

void scrittore_byte::u8(std::uint8_t v) { in_ordine(v, 1); }
void scrittore_byte::u16(std::uint16_t v) { in_ordine(v, 2); }
// Conversion to the unsigned type of the same width is the two's complement bit pattern.
void scrittore_byte::i16(std::int16_t v) { in_ordine(static_cast<std::uint16_t>(v), 2); }
void scrittore_byte::i32(std::int32_t v) { in_ordine(static_cast<std::uint32_t>(v), 4); }
void scrittore_byte::f64(double v) { in_ordine(std::bit_cast<std::uint64_t>(v), 8); }
void scrittore_byte::grezzi(std::string_view byte) { dati_.append(byte); }

}  // namespace scenario
