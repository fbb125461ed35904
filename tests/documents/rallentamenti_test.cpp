#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "documents/documenti.h"
#include "documents/righe_documento.h"

namespace scenario {
namespace {

// The order as the driver receives it, line by line.
std::vector<std::string> ordine_atteso() {
    std::vector<std::string> righe = {
        "",
        "                               Modulo M. 3",
        "                           ORDINE DI RALLENTAMENTO",
        " ________________________________________________________________________________",
        "  Linea  Lerno - Castelbrum - Pusena P.F.",
        "",
        "  Si ordina al macchinista del treno 27364 di effettuare i seguenti rallentamenti",
        "  _______________________________________________________________________________",
        " |   |                            |Inizio dopo |          |         |            |",
        " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghezza|Prescrizioni|",
        " |   |   (o nelle Stazioni di)    |chilometrico|          |  metri  | specifiche |",
        " |___|____________________________|____________|__________|_________|____________|",
        " | 1 |Gruviccano S.O.-GROTTE S.M. |     7      |    50    |  300    |            |",
    };
    for (int n = 0; n < 25; ++n) {
        righe.emplace_back(
            " |   |                            |            |          |         |            |");
    }
    for (const char* riga : {
             " |___|____________________________|____________|__________|_________|____________|",
             "",
             "              Prescrizioni specifiche",
             " A - Da rispettare con tutto il treno (per i treni viaggiatori)",
             " B - Interessa anche la stazione di.......",
             " D - Rallentamneto N. ... e N. ...  sono contigui",
             " C - Da rispettare dalle ore ....  alle ore ..... di tutti",
             "     i giorni esclusi i seguenti:.........",
         }) {
        righe.emplace_back(riga);
    }
    return righe;
}

TEST(Rallentamenti, EveryLineIsExact) {
    const std::vector<std::string> ordine = prova::righe_documento(elenco_rallentamenti());
    const std::vector<std::string> atteso = ordine_atteso();
    ASSERT_EQ(atteso.size(), 46u);
    ASSERT_EQ(ordine.size(), 46u);
    for (std::size_t n = 0; n < atteso.size(); ++n) {
        EXPECT_EQ(ordine[n], atteso[n]) << "line " << n;
    }
}

TEST(Rallentamenti, FramedLinesAre82CharactersAndAllAscii) {
    const std::vector<std::string> ordine = prova::righe_documento(elenco_rallentamenti());
    ASSERT_EQ(ordine.size(), 46u);
    EXPECT_EQ(ordine[7].size(), 81u);
    for (int n = 8; n <= 38; ++n) EXPECT_EQ(ordine[n].size(), 82u) << "line " << n;
    for (const std::string& riga : ordine) {
        for (char c : riga) EXPECT_LT(static_cast<unsigned char>(c), 0x80u) << riga;
    }
}

}  // namespace
}  // namespace scenario
