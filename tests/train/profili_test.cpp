#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "banco_treno.h"
#include "model/guasto.h"

namespace scenario {
namespace {

using prova::banco_treno;

struct tratto {
    long long da;
    long long a;
    int valore;
};

void verifica_velocita(banco_treno& b, std::initializer_list<tratto> tratti) {
    for (const tratto& t : tratti) {
        for (long long n = t.da; n <= t.a; ++n) ASSERT_EQ(b[n].velocita, t.valore) << "cell " << n;
    }
}

void verifica_aderenza(banco_treno& b, std::initializer_list<tratto> tratti) {
    for (const tratto& t : tratti) {
        for (long long n = t.da; n <= t.a; ++n) ASSERT_EQ(b[n].aderenza, t.valore) << "cell " << n;
    }
}

TEST(ProfiliIncorporati, SpeedAndAdhesionOfEveryCell) {
    banco_treno b;
    b.compila_incorporata();
    ASSERT_EQ(b.stato.ultima_cella, 1280);
    EXPECT_EQ(b.stato.codice_errore, 0);
    verifica_velocita(b, {{0, 15, 6},
                          {16, 262, 20},
                          {263, 271, 6},
                          {272, 373, 18},
                          {374, 419, 14},
                          {420, 533, 16},
                          {534, 592, 17},
                          {593, 633, 16},
                          {634, 711, 17},
                          {712, 793, 16},
                          {794, 893, 14},
                          {894, 1012, 17},
                          {1013, 1277, 13},
                          {1278, 1280, 0}});
    verifica_aderenza(b, {{0, 369, 100},
                          {370, 389, 85},
                          {390, 399, 80},
                          {400, 479, 78},
                          {480, 1277, 90},
                          {1278, 1280, 0}});
}

// A speed is stored as km/h / 5 rounded; the first row's value fills cells 0 and 1.
TEST(ProfiloVelocita, SpeedsAreStoredAsFifthsRounded) {
    struct caso {
        int kmh;
        int cella;
    };
    const caso casi[] = {{72, 14}, {12, 2}, {13, 3}, {1277, 255}, {0, 0}, {-2, 0}};
    for (const caso& c : casi) {
        banco_treno b;
        b.compila({"velocita, 0, " + std::to_string(c.kmh), "velocita, 100, 50"});
        EXPECT_EQ(b[1].velocita, c.cella) << c.kmh << " km/h";
        EXPECT_EQ(b[2].velocita, 10) << c.kmh << " km/h";
    }
}

TEST(ProfiloVelocita, SpeedWhoseFifthDoesNotFitIsAFault) {
    for (int kmh : {1278, -3, 5000}) {
        banco_treno b;
        EXPECT_THROW(b.compila({"velocita, 0, " + std::to_string(kmh), "velocita, 800, 50"}),
                     guasto_esecuzione)
            << kmh;
        // The last row's speed is written by the completion.
        banco_treno ultima;
        EXPECT_THROW(ultima.compila({"velocita, 0, 50", "velocita, 800, " + std::to_string(kmh)}),
                     guasto_esecuzione)
            << kmh;
    }
}

// Positions round half to even: the last cell given the first row's speed is W - 1.
TEST(ProfiloVelocita, RowPositionsRoundHalfToEven) {
    struct caso {
        int posizione;
        long long ultima_prima;  // -1: the first row writes nothing
    };
    const caso casi[] = {{25, -1}, {74, 0}, {75, 1}, {125, 1}, {175, 3}, {800, 15}};
    for (const caso& c : casi) {
        banco_treno b;
        b.compila({"velocita, 0, 50", "velocita, " + std::to_string(c.posizione) + ", 100"});
        if (c.ultima_prima >= 0) {
            EXPECT_EQ(b[c.ultima_prima].velocita, 10) << c.posizione;
        }
        EXPECT_EQ(b[c.ultima_prima + 1].velocita, 20) << c.posizione;
    }
}

TEST(ProfiloVelocita, SecondRowAtTheSamePositionWritesOneMoreCell) {
    banco_treno b;
    b.compila({"velocita, 0, 30", "velocita, 800, 100", "velocita, 800, 50"});
    verifica_velocita(b, {{0, 15, 6}, {16, 16, 20}, {17, 1277, 10}});
}

// The cursor never moves back: a row behind it writes one cell at the cursor.
TEST(ProfiloVelocita, RowsOutOfOrderNeverRewriteCells) {
    banco_treno b;
    b.compila({"velocita, 0, 100", "velocita, 1000, 80", "velocita, 500, 60"});
    verifica_velocita(b, {{0, 19, 20}, {20, 20, 16}, {21, 1277, 12}});
}

TEST(ProfiloAderenza, KeepsTheLowEightBits) {
    struct caso {
        int valore;
        int cella;
    };
    const caso casi[] = {{300, 44}, {255, 255}, {256, 0}, {-1, 255}, {100, 100}};
    for (const caso& c : casi) {
        banco_treno b;
        b.compila({"aderenza, 0, " + std::to_string(c.valore), "aderenza, 100, 7"});
        EXPECT_EQ(b[1].aderenza, c.cella) << c.valore;
        EXPECT_EQ(b[2].aderenza, 7) << c.valore;
        EXPECT_EQ(b[1277].aderenza, 7) << c.valore;
        EXPECT_EQ(b[1278].aderenza, 0) << c.valore;
    }
}

TEST(ProfiloAderenza, SamePositionAndRoundingAsTheSpeeds) {
    banco_treno b;
    b.compila({"aderenza, 0, 100", "aderenza, 25, 90", "aderenza, 175, 80", "aderenza, 175, 70"});
    verifica_aderenza(b, {{0, 3, 90}, {4, 4, 80}, {5, 1277, 70}});
}

// Cell 2 is W for 2 * 50; a first row past position 25 leaves the cells before it at 0.
TEST(Profili, FirstRowAfterTheStartFillsEarlierCellsWithZero) {
    banco_treno b;
    for (long long n = 0; n <= b.stato.ultima_cella; ++n) {
        b[n].velocita = 99;
        b[n].aderenza = 99;
    }
    b.compila({"velocita, 100, 50", "aderenza, 100, 60"});
    verifica_velocita(b, {{0, 1, 0}, {2, 1277, 10}, {1278, 1280, 99}});
    verifica_aderenza(b, {{0, 1, 0}, {2, 1277, 60}, {1278, 1280, 99}});
}

// Rows at the last accepted position: the speed cursor stops at the last cell, the adhesion cursor
// has no stop and meets the end of the array.
TEST(Profili, RowsPastTheLastCell) {
    banco_treno velocita(0);
    ASSERT_EQ(velocita.stato.ultima_cella, 140);
    velocita.compila({"velocita, 0, 10", "velocita, 6900, 20", "velocita, 6900, 30",
                      "velocita, 6900, 40", "velocita, 6900, 50"});
    verifica_velocita(velocita, {{0, 137, 2}, {138, 138, 4}, {139, 139, 6}, {140, 140, 10}});

    banco_treno aderenza(0);
    EXPECT_THROW(aderenza.compila({"aderenza, 0, 10", "aderenza, 6900, 20", "aderenza, 6900, 30",
                                   "aderenza, 6900, 40", "aderenza, 6900, 50"}),
                 guasto_esecuzione);
}

// Code 15: the row's position plus 100 m beyond the last cell.
TEST(Profili, RowBeyondTheCellsEndsTheReadingWithCode15) {
    struct caso {
        const char* parola;
        int posizione;
        int codice;
    };
    const caso casi[] = {{"velocita", 63900, 0},
                         {"velocita", 63901, 15},
                         {"aderenza", 63900, 0},
                         {"aderenza", 63901, 15}};
    for (const caso& c : casi) {
        banco_treno b;
        b.stato.posizione_errore = -1;
        b.compila({"velocita, 0, 50", "aderenza, 0, 60",
                   std::string(c.parola) + ", " + std::to_string(c.posizione) + ", 100",
                   "sabbia, 300"});
        EXPECT_EQ(b.stato.codice_errore, c.codice) << c.parola << " " << c.posizione;
        EXPECT_EQ(b.stato.posizione_errore, c.codice == 15 ? c.posizione : -1);
        // The reading stopped at the row; the end of reading still completed the profiles. An
        // accepted row fills up to cell 1277, and the completion writes one cell more.
        EXPECT_EQ(b.stato.punti[86].voce_7, c.codice == 15 ? 0 : 300);
        EXPECT_EQ(b[1277].velocita, 10);
        EXPECT_EQ(b[1277].aderenza, 60);
        const bool accettata = c.codice == 0;
        EXPECT_EQ(b[1278].velocita, accettata && c.parola[0] == 'v' ? 20 : 0);
        EXPECT_EQ(b[1278].aderenza, accettata && c.parola[0] == 'a' ? 100 : 0);
        EXPECT_FALSE(b.sorgente_presente());
    }
}

}  // namespace
}  // namespace scenario
