#include "output/geometria_in_byte.h"

#include <stdexcept>
#include <string_view>
#include <utility>

#include "output/formato_file.h"
#include "output/lettore_byte.h"
#include "output/lettura_formato.h"

namespace scenario::formato {

namespace {

// The size of the element at `offset`; the file was checked whole, so the code is known.
std::size_t byte_a(const std::string& byte, std::size_t offset) {
    lettore_byte in(std::string_view(byte).substr(offset));
    return byte_elemento(static_cast<codice_elemento>(in.u16("element type code")));
}

}  // namespace

geometria_in_byte::geometria_in_byte(std::string byte) : byte_(std::move(byte)) {
    // The same checks as the decoded form, element count and metre limit included.
    metri_ = static_cast<std::size_t>(conta_metri_geometria(byte_));
    std::size_t offset = 0;
    for (std::size_t n = 0; n < metri_; ++n) offset += byte_a(byte_, offset);
    inizio_ = {0, offset};
    cursori_ = {cursore{0, 0}, cursore{0, offset}};
}

const geometria_in_byte::cursore& geometria_in_byte::porta(long long metro, int componente) const {
    if (metro < 0 || static_cast<std::size_t>(metro) >= metri_ || componente < 0 ||
        componente > 1) {
        throw std::out_of_range("metre " + std::to_string(metro) + " component " +
                                std::to_string(componente) + " outside the geometry (0.." +
                                std::to_string(metri_ - 1) + ")");
    }
    const auto c = static_cast<std::size_t>(componente);
    cursore& k = cursori_.at(c);
    const auto bersaglio = static_cast<std::size_t>(metro);
    if (bersaglio < k.metro) k = cursore{0, inizio_.at(c)};
    while (k.metro < bersaglio) {
        k.offset += byte_a(byte_, k.offset);
        ++k.metro;
    }
    return k;
}

profilo_linea::tipo_valore geometria_in_byte::tipo(long long metro, int componente) const {
    lettore_byte in(std::string_view(byte_).substr(porta(metro, componente).offset));
    return static_cast<profilo_linea::tipo_valore>(in.u16("element type code"));
}

double geometria_in_byte::valore(long long metro, int componente) const {
    lettore_byte in(std::string_view(byte_).substr(porta(metro, componente).offset));
    switch (static_cast<codice_elemento>(in.u16("element type code"))) {
        case codice_elemento::intero:
            return static_cast<double>(in.i16("16-bit element"));
        case codice_elemento::reale:
            return in.f64("double element");
        case codice_elemento::vuoto:
            break;
    }
    return 0.0;
}

}  // namespace scenario::formato
