#include "output/geometria_in_byte.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "output/lettore_byte.h"
#include "output/lettura_formato.h"

namespace scenario {
namespace {

using tipo = profilo_linea::tipo_valore;

// Three metres: component 0 int16 7, double 1.5, empty; component 1 empty, int16 -2, double 4.
std::string tre_metri() {
    std::string byte;
    auto u16 = [&byte](unsigned v) {
        byte += static_cast<char>(v & 0xff);
        byte += static_cast<char>(v >> 8);
    };
    auto f64 = [&byte](double v) {
        auto bit = std::bit_cast<std::uint64_t>(v);
        for (int n = 0; n < 8; ++n) byte += static_cast<char>(bit >> (8 * n));
    };
    u16(2), u16(7);
    u16(5), f64(1.5);
    u16(0);
    u16(0);
    u16(2), u16(0xfffe);
    u16(5), f64(4.0);
    return byte;
}

// In any order of access, the walk in place reads what the decoded geometry holds.
TEST(GeometriaInByte, ComeLaGeometriaDecodificataInOgniOrdine) {
    const profilo_linea atteso = formato::decodifica_geometria(tre_metri());
    const formato::geometria_in_byte g(tre_metri());
    ASSERT_EQ(g.ultimo_metro(), 2);
    const int ordine[][2] = {{0, 0}, {2, 0}, {1, 0}, {2, 1}, {0, 1}, {1, 1}, {1, 0}, {0, 0}};
    for (const auto& [metro, componente] : ordine) {
        SCOPED_TRACE(std::to_string(metro) + "/" + std::to_string(componente));
        EXPECT_EQ(g.tipo(metro, componente), atteso.tipo(metro, componente));
        EXPECT_EQ(g.valore(metro, componente), atteso.valore(metro, componente));
    }
    EXPECT_EQ(g.tipo(1, 1), tipo::intero);
    EXPECT_EQ(g.valore(1, 1), -2.0);
    EXPECT_THROW((void)g.tipo(3, 0), std::out_of_range);
    EXPECT_THROW((void)g.tipo(-1, 0), std::out_of_range);
    EXPECT_THROW((void)g.valore(0, 2), std::out_of_range);
}

// The same checks as the decoder, before any walk.
TEST(GeometriaInByte, LeStesseVerificheDelDecodificatore) {
    const std::string byte = tre_metri();
    for (const std::string& guasto :
         {std::string(), byte.substr(0, byte.size() - 1), byte.substr(0, byte.size() - 10),
          byte + std::string("\x03\x00", 2)}) {
        EXPECT_THROW((void)formato::decodifica_geometria(guasto), file_malformato);
        EXPECT_THROW(formato::geometria_in_byte{guasto}, file_malformato);
    }
}

}  // namespace
}  // namespace scenario
