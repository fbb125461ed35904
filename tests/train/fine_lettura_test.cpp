#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "banco_treno.h"
#include "train/lettore_treno.h"

namespace scenario {
namespace {

using prova::banco_treno;

// The chainage systems (`punti` 81..83) must start and end on whole cells; their third value is
// not tested.
TEST(FineLettura, ChainageNotOnWholeCellsIsCode2) {
    struct caso {
        int indice;
        std::int32_t inizio;
        std::int32_t fine;
        std::int32_t posizione;
        std::int32_t codice;
    };
    const caso casi[] = {
        {81, 7475, 0, 0, 2},      {82, 0, 25, 0, 2},   {83, -25, 0, 0, 2},
        {83, 7450, -13550, 0, 0}, {81, 0, 0, 7475, 0},
    };
    for (const caso& c : casi) {
        banco_treno b;
        b.stato.posizione_errore = -1;
        b.stato.punti[c.indice].inizio = c.inizio;
        b.stato.punti[c.indice].fine = c.fine;
        b.stato.punti[c.indice].posizione = c.posizione;
        b.compila({"velocita, 0, 50", "sabbia, 300"});
        EXPECT_EQ(b.stato.codice_errore, c.codice) << c.indice;
        EXPECT_EQ(b.stato.posizione_errore, -1) << c.indice;
        // Every record was read and the profiles completed first.
        EXPECT_EQ(b.stato.punti[86].voce_7, 300) << c.indice;
        EXPECT_EQ(b[1277].velocita, 10) << c.indice;
        EXPECT_FALSE(b.sorgente_presente());
    }
}

TEST(FineLettura, Code2ReplacesCode15AndKeepsItsPosition) {
    banco_treno b;
    b.stato.punti[82].inizio = 7475;
    b.compila({"velocita, 0, 50", "velocita, 70000, 60", "sabbia, 300"});
    EXPECT_EQ(b.stato.codice_errore, 2);
    EXPECT_EQ(b.stato.posizione_errore, 70000);
    EXPECT_EQ(b.stato.punti[86].voce_7, 0);
    EXPECT_EQ(b[1277].velocita, 10);
}

// No record of this source is behind a code 2.
TEST(FineLettura, Code2HasNoSourceRecord) {
    banco_treno b;
    b.stato.punti[81].fine = 10;
    b.compila({"sabbia, 300"});
    ASSERT_EQ(b.stato.codice_errore, 2);
    EXPECT_TRUE(b.stato.luogo_errore.file.empty());
}

// Code 15 when the row's position plus 100 m lies beyond the last cell (1280 here): the reading
// stops at that row, the profiles are still completed and the source deleted.
TEST(FineLettura, FeatureRowBeyondTheCellsIsCode15) {
    struct caso {
        const char* riga;
        std::int32_t codice;
    };
    const caso casi[] = {
        {"segnale, 63900, 1,0,0,0,0,0,0,0,0,0", 0},
        {"segnale, 63901, 1,0,0,0,0,0,0,0,0,0", 15},
        {"rallentamento, 63000, 50, 200, 0, 1, 0", 0},
        {"rallentamento, 63901, 50, 200, 0, 1, 0", 15},
        {"abbattimento, 63900, 180", 0},
        {"abbattimento, 63901, 180", 15},
    };
    for (const caso& c : casi) {
        banco_treno b;
        b.stato.posizione_errore = -1;
        b.compila({"velocita, 0, 50", c.riga, "sabbia, 300"});
        EXPECT_EQ(b.stato.codice_errore, c.codice) << c.riga;
        EXPECT_EQ(b.stato.posizione_errore, c.codice == 15 ? 63901 : -1) << c.riga;
        EXPECT_EQ(b.stato.punti[86].voce_7, c.codice == 15 ? 0 : 300) << c.riga;
        EXPECT_EQ(b[1277].velocita, 10) << c.riga;
        EXPECT_FALSE(b.sorgente_presente()) << c.riga;
    }
}

TEST(FineLettura, BuiltInSourceLeavesNoCodeAndNoFile) {
    banco_treno b;
    b.stato.posizione_errore = -1;
    b.compila_incorporata();
    EXPECT_EQ(b.stato.codice_errore, 0);
    EXPECT_EQ(b.stato.posizione_errore, -1);
    EXPECT_FALSE(b.sorgente_presente());
}

}  // namespace
}  // namespace scenario
