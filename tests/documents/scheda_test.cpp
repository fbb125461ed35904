#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "documents/documenti.h"
#include "documents/righe_documento.h"
#include "model/nomi_file.h"
#include "support/cartella_temporanea.h"

namespace scenario {
namespace {

using prova::caratteri;

constexpr const char* riga_vuota =
    " |     |     |          |     |                            |                |     |";

TEST(Scheda, HasFiftyFiveLinesInTheirPlaces) {
    const std::vector<std::string> scheda = prova::righe_documento(elenco_scheda());
    ASSERT_EQ(scheda.size(), 55u);
    EXPECT_EQ(scheda[0], "");
    EXPECT_EQ(scheda[1], "");
    EXPECT_EQ(scheda[11], "");
    for (int n = 34; n <= 46; ++n) EXPECT_EQ(scheda[n], riga_vuota) << "line " << n;
    EXPECT_EQ(scheda[47], scheda[15]);
    EXPECT_EQ(scheda[48], "  NOTE:");
    EXPECT_EQ(scheda[49], "  R.S. dal Deviatoio di uscita Lerno fino al 2° Bivio Lerno Nord");
    EXPECT_EQ(scheda[50], " ");
    for (int n = 51; n <= 54; ++n) EXPECT_EQ(scheda[n], "") << "line " << n;
}

TEST(Scheda, HeaderIsVerbatim) {
    const std::vector<std::string> scheda = prova::righe_documento(elenco_scheda());
    const std::array<const char*, 14> attese = {
        "  ___________________                                               ______________",
        " |                   |                    SCHEDA                   |              |",
        " |   TRENO n.27364   |                   da: LERNO                 |    V140 A    |",
        " |___________________|                    a: PUSENA P.F.           |     105%     |",
        "                                                                   |______________|",
        "  ___________________                ___________________            ______________",
        " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |          |              |",
        " |        EXP        |              |      300T         |          |     E626     |",
        " |___________________|              |___________________|          |______________|",
        "",
        "  ________________________________________________________________________________",
        " | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |     Orario     | Rec |",
        " | Lim.|Marc.|          |  Rs |                            |                |     |",
        " |_____|_____|__________|_____|____________________________|________________|_____|",
    };
    ASSERT_EQ(scheda.size(), 55u);
    for (std::size_t n = 0; n < attese.size(); ++n) {
        EXPECT_EQ(scheda[n + 2], attese[n]) << "line " << n + 2;
    }
}

// Every row of the timetable; among them one of each Orario form: arrival and departure (16, 20),
// blank (17), single time (18, 23), dash at 8 (21, 22), dash at 7 (25), terminal (33).
TEST(Scheda, TimetableRowsAreExact) {
    const std::vector<std::string> scheda = prova::righe_documento(elenco_scheda());
    const std::array<const char*, 18> attese = {
        " |  30 |     |   82.500 |     |LERNO                       | 9.12     9.42  |     |",
        " | 100 |     |   83.000 |     |Dev. U.                     |                |     |",
        " |     |     |   88.400 |     |2° Bivio Lerno Nord         |      9.48      | 1.5 |",
        " |     |     |   90.950 |     |DORVANO IN SELVARIA         |      9.51      |   1 |",
        " |     |     |   96.100/|     |CASTELBRUM-VELMIRO          | 9.56     10.00 |   1 |",
        " |  90 |     |    0.000 |     |Dev. U.                     |        -       |     |",
        " |  70 |     |    5.200 |     |Dev. I.                     |        -       |     |",
        " |     |     |    5.400 |     |GRUVICCANO                  |     10.08      | 1.5 |",
        " |  80 |     |    7.300 |     |Gruviccano S. Olvano        |     10.10      |     |",
        " |  85 |     |   13.000 |     |Km 13+000                   |       -        |     |",
        " |  80 |     |   16.000 |     |Km 16+000                   |       -        |     |",
        " |     |     |   16.300 |     |GROTTE SANTO MERVIO         |     10.19      |   1 |",
        " |  85 |     |   18.000 |     |Km 18+000                   |       -        |     |",
        " |  80 |     |   22.000 |     |Km 22+000                   |       -        |     |",
        " |  70 |     |   26.650 |     |MONTESCARNIO                |     10.29      |   1 |",
        " |  85 |     |   31.000 |     |Km 31+000                   |       -        |     |",
        " |  65 |     |   37.000 |     |Km 37+000                   |       -        |     |",
        " |     |     |   39.050 |     |PUSENA PORTA FOLNARA        |          10.40 | 0.5 |",
    };
    ASSERT_EQ(scheda.size(), 55u);
    for (std::size_t n = 0; n < attese.size(); ++n) {
        EXPECT_EQ(scheda[n + 16], attese[n]) << "line " << n + 16;
    }
}

TEST(Scheda, FramedLinesAre83CharactersOpenRules82) {
    const std::vector<std::string> scheda = prova::righe_documento(elenco_scheda());
    ASSERT_EQ(scheda.size(), 55u);
    for (int n : {2, 7, 12}) EXPECT_EQ(caratteri(scheda[n]), 82u) << "line " << n;
    for (int n = 3; n <= 47; ++n) {
        if (n == 7 || n == 11 || n == 12) continue;
        EXPECT_EQ(caratteri(scheda[n]), 83u) << "line " << n;
    }
}

TEST(Scheda, WrittenFileHoldsTheDegreeSignAsOneByte) {
    prova::cartella_temporanea cartella;
    stato_run stato;
    stato.nome_scenario = "Lerno_Castelbrum_Pusena";
    stato.numero_treno = "27364";
    stato.cartella = cartella.percorso();
    dati_scheda(stato);

    std::vector<std::string> righe = prova::righe_crlf(
        prova::leggi_tutto(cartella / "Lerno_Castelbrum_Pusena_27364_scheda_treno.txt"));
    ASSERT_EQ(righe.size(), 55u);
    EXPECT_EQ(
        righe[18],
        " |     |     |   88.400 |     |2\xB0 Bivio Lerno Nord         |      9.48      | 1.5 |");
    EXPECT_EQ(righe[49], "  R.S. dal Deviatoio di uscita Lerno fino al 2\xB0 Bivio Lerno Nord");
    for (int n = 3; n <= 47; ++n) {
        if (n == 7 || n == 11 || n == 12) continue;
        EXPECT_EQ(righe[n].size(), 83u) << "line " << n;
    }
}

}  // namespace
}  // namespace scenario
