#include "output/lettore_byte.h"

#include <bit>

namespace scenario {

void lettore_byte::richiedi(std::size_t quanti, const char* cosa) const {
    if (quanti > restanti()) {
        throw file_malformato(pos_, std::string(cosa) + " cut short: " + std::to_string(quanti) +
                                        " bytes needed, " + std::to_string(restanti()) +
                                        " left in the file");
    }
}

std::uint64_t lettore_byte::in_ordine(std::size_t quanti, const char* cosa) {
    richiedi(quanti, cosa);
    std::uint64_t valore = 0;
    for (std::size_t n = 0; n < quanti; ++n) {
        valore |= static_cast<std::uint64_t>(static_cast<unsigned char>(dati_[pos_ + n]))
                  << (8 * n);
    }
    pos_ += quanti;
    return valore;
}

std::uint8_t lettore_byte::u8(const char* cosa) {
    return static_cast<std::uint8_t>(in_ordine(1, cosa));
}

std::uint16_t lettore_byte::u16(const char* cosa) {
    return static_cast<std::uint16_t>(in_ordine(2, cosa));
}

std::int16_t lettore_byte::i16(const char* cosa) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(in_ordine(2, cosa)));
}

std::int32_t lettore_byte::i32(const char* cosa) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(in_ordine(4, cosa)));
}

double lettore_byte::f64(const char* cosa) { return std::bit_cast<double>(in_ordine(8, cosa)); }

std::string_view lettore_byte::grezzi(std::size_t quanti, const char* cosa) {
    richiedi(quanti, cosa);
    std::string_view parte = dati_.substr(pos_, quanti);
    pos_ += quanti;
    return parte;
}

}  // namespace scenario
