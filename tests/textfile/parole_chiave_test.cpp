#include "textfile/parole_chiave.h"

#include <gtest/gtest.h>

#include <string>

namespace scenario {
namespace {

// Short fields are folded on the stack and long ones compared byte by byte: both must agree,
// and only ASCII letters fold (Windows-1252's accented capitals stay what they are).
TEST(ParoleChiave, ContieneSenzaMaiuscoleSoloLettereAscii) {
    const std::string lungo = std::string(70, 'x') + "CARTELLO_Indicatore";
    struct caso {
        std::string campo;
        std::string parte;
        bool atteso;
    };
    const caso casi[] = {
        {"Cartello_Indicatore", "indicat", true},
        {"curvaD4", "CURVA", true},
        {"pendenz", "pendenza", false},
        {"", "", true},
        {"montagna", "", true},
        {"", "m", false},
        {std::string{'\xC0', 'b', 'c'}, std::string{'\xE0', 'b', 'c'}, false},  // not ASCII
        {"[x]\x01Y", "\x01y", true},
        {lungo, "cartello_indicatore", true},
        {lungo, "cartelli", false},
        {"curva", lungo, false},
        {lungo, lungo, true},
    };
    for (const caso& c : casi) {
        EXPECT_EQ(contiene_senza_maiuscole(c.campo, c.parte), c.atteso)
            << "'" << c.campo << "' / '" << c.parte << "'";
    }
}

}  // namespace
}  // namespace scenario
