#include "documents/riga_orario.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace scenario {
namespace {

TEST(TestoOra, HoursWithoutLeadingZeroMinutesWithTwoDigits) {
    EXPECT_EQ(testo_ora(ora_minuti(9, 12)), "9.12");
    EXPECT_EQ(testo_ora(ora_minuti(10, 0)), "10.00");
    EXPECT_EQ(testo_ora(ora_minuti(9, 5)), "9.05");
    EXPECT_EQ(testo_ora(ora_minuti(0, 0)), "0.00");
}

struct caso_cella {
    const char* nome;
    forma_orario forma;
    std::int32_t primo;
    std::int32_t secondo;
    const char* atteso;
};

class CellaOrario : public ::testing::TestWithParam<caso_cella> {};

TEST_P(CellaOrario, PutsTheTimesAtTheirPositions) {
    const caso_cella& c = GetParam();
    EXPECT_EQ(cella_orario(c.forma, c.primo, c.secondo), c.atteso);
}

INSTANTIATE_TEST_SUITE_P(
    SeiForme, CellaOrario,
    ::testing::Values(
        caso_cella{"ArrivoPartenza", forma_orario::arrivo_partenza, ora_minuti(9, 12),
                   ora_minuti(9, 42), " 9.12     9.42  "},
        caso_cella{"ArrivoPartenzaOreDueCifre", forma_orario::arrivo_partenza, ora_minuti(9, 56),
                   ora_minuti(10, 0), " 9.56     10.00 "},
        caso_cella{"Unico", forma_orario::unico, ora_minuti(9, 48), 0, "      9.48      "},
        caso_cella{"UnicoOreDueCifre", forma_orario::unico, ora_minuti(10, 8), 0,
                   "     10.08      "},
        caso_cella{"Capolinea", forma_orario::capolinea, ora_minuti(10, 40), 0, "          10.40 "},
        caso_cella{"CapolineaOraUnaCifra", forma_orario::capolinea, ora_minuti(9, 40), 0,
                   "          9.40  "},
        caso_cella{"TrattinoBivio", forma_orario::trattino_bivio, 0, 0, "        -       "},
        caso_cella{"TrattinoKm", forma_orario::trattino_km, 0, 0, "       -        "},
        caso_cella{"Vuoto", forma_orario::vuoto, ora_minuti(9, 0), ora_minuti(9, 1),
                   "                "}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(RigaTabellaOrario, RightAlignsSpeedChainageAndRecovery) {
    riga_orario riga;
    riga.velocita_limite = 5;
    riga.progressiva = 105;
    riga.localita = "X";
    riga.recupero = 25;
    EXPECT_EQ(
        riga_tabella_orario(riga),
        " |   5 |     |    0.105 |     |X                           |                | 2.5 |");

    riga.velocita_limite = 0;
    riga.progressiva = 123456;
    riga.recupero = 120;
    EXPECT_EQ(
        riga_tabella_orario(riga),
        " |     |     |  123.456 |     |X                           |                |  12 |");
}

TEST(RigaTabellaOrario, MarksTheLastRowOfAChainageSystem) {
    riga_orario riga;
    riga.progressiva = 96100;
    riga.fine_progressiva = true;
    EXPECT_EQ(
        riga_tabella_orario(riga),
        " |     |     |   96.100/|     |                            |                |     |");
}

TEST(RigaTabellaOrario, PadsThePlaceByCharactersNotBytes) {
    riga_orario riga;
    riga.localita = "27° Bivio con nome più lungo";  // 28 characters, 30 bytes
    EXPECT_EQ(
        riga_tabella_orario(riga),
        " |     |     |    0.000 |     |27° Bivio con nome più lungo|                |     |");
}

TEST(RigaTabellaOrario, RefusesATextWiderThanItsCell) {
    riga_orario riga;
    riga.localita = "ABCDEFGHIJKLMNOPQRSTUVWXYZ012";  // 29 characters
    EXPECT_THROW(riga_tabella_orario(riga), std::logic_error);

    riga.localita = "LERNO";
    riga.velocita_limite = 10000;
    EXPECT_THROW(riga_tabella_orario(riga), std::logic_error);

    riga.velocita_limite = 0;
    riga.progressiva = 100000000;  // "100000.000" does not fit the 9 characters before the marker
    EXPECT_THROW(riga_tabella_orario(riga), std::logic_error);
}

TEST(RigaTabellaVuota, IsTheFramedRowWithEveryCellBlank) {
    EXPECT_EQ(
        riga_tabella_vuota(),
        " |     |     |          |     |                            |                |     |");
}

}  // namespace
}  // namespace scenario
