#include "tool/decodifica_geometria.h"

#include <cstdint>
#include <limits>
#include <vector>

#include "tool/lettore_byte.h"

namespace scenario::strumento {

namespace {

struct elemento {
    profilo_linea::tipo_valore tipo;
    double valore;
};

}  // namespace

profilo_linea decodifica_geometria(std::string_view byte) {
    if (byte.empty())
        throw file_malformato(0, "empty file: a geometry file has at least one metre");
    lettore_byte in(byte);
    std::vector<elemento> elementi;
    while (!in.fine()) {
        std::size_t dove = in.posizione();
        std::uint16_t codice = in.u16("element type code");
        switch (codice) {
            case 0:
                elementi.push_back({profilo_linea::tipo_valore::vuoto, 0.0});
                break;
            case 2:
                elementi.push_back({profilo_linea::tipo_valore::intero,
                                    static_cast<double>(in.i16("16-bit element"))});
                break;
            case 5:
                elementi.push_back({profilo_linea::tipo_valore::reale, in.f64("double element")});
                break;
            default:
                throw file_malformato(dove, "element " + std::to_string(elementi.size()) +
                                                ": unknown type code " + std::to_string(codice) +
                                                " (0, 2 or 5 expected)");
        }
    }
    if (elementi.size() % 2 != 0) {
        throw file_malformato(byte.size(), "odd number of elements (" +
                                               std::to_string(elementi.size()) +
                                               "): the two components must have one element per "
                                               "metre each");
    }
    std::size_t metri = elementi.size() / 2;
    if (metri - 1 > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        throw file_malformato(byte.size(), "more metres than a line can have");
    }
    profilo_linea profilo;
    profilo.dimensiona(static_cast<std::int32_t>(metri - 1));
    for (std::size_t n = 0; n < elementi.size(); ++n) {
        auto metro = static_cast<long long>(n % metri);
        int componente = n < metri ? 0 : 1;
        const elemento& e = elementi[n];
        if (e.tipo == profilo_linea::tipo_valore::intero) {
            profilo.imposta_intero(metro, componente, static_cast<std::int16_t>(e.valore));
        } else if (e.tipo == profilo_linea::tipo_valore::reale) {
            profilo.imposta_reale(metro, componente, e.valore);
        }
    }
    return profilo;
}

}  // namespace scenario::strumento
