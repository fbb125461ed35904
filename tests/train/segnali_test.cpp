#include "train/segnali.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "banco_treno.h"
#include "model/guasto.h"
#include "train/lettore_treno.h"

namespace scenario {
namespace {

using prova::banco_treno;

TEST(SegnaliIncorporati, CellsOfTheSignals) {
    struct caso {
        long long cella;
        int dato1, dato2, dato3, dato4, tempo, preavviso;
    };
    const caso casi[] = {
        {31, 40, 0, 0, 3, 0, 31},       // 1500: sx 1, s1 4
        {84, 43, 11, 0, 5, 0, 51},      // 4150
        {109, 42, 11, 11, 8, 0, 81},    // 5400: s3 1, d3 1, rapp 0
        {151, 32, 11, 0, 8, 0, 81},     // 7500: sx 2
        {581, 40, 10, 0, 6, 255, 61},   // 29000: sx 2, tempo 255
        {1037, 20, 30, 0, 6, 210, 61},  // 51800: sx 2, tempo 210
    };
    banco_treno b;
    b.compila_incorporata();
    ASSERT_EQ(b.stato.codice_errore, 0);
    int segnali = 0;
    for (const cella& c : b.stato.percorso) segnali += c.tipo == tipo_cella::segnale;
    EXPECT_EQ(segnali, 16);
    for (const caso& c : casi) {
        const cella& s = b[c.cella];
        EXPECT_EQ(s.tipo, tipo_cella::segnale) << c.cella;
        EXPECT_EQ(s.dato1, c.dato1) << c.cella;
        EXPECT_EQ(s.dato2, c.dato2) << c.cella;
        EXPECT_EQ(s.dato3, c.dato3) << c.cella;
        EXPECT_EQ(s.dato4, c.dato4) << c.cella;
        EXPECT_EQ(s.tempo, c.tempo) << c.cella;
        for (int k = 1; k <= 4; ++k) {
            EXPECT_EQ(b[c.cella - 2 * k].preavviso, c.preavviso + k - 1) << c.cella << " " << k;
            EXPECT_EQ(b[c.cella - 2 * k + 1].preavviso, 0) << c.cella << " " << k;
        }
    }
}

// `tempo` of 1..100 becomes 101, also in the caller's row; the cell keeps it only for `sx` 2.
TEST(MemoSegnale, Tempo) {
    struct caso {
        std::int32_t sx;
        std::int32_t tempo;
        int in_cella;
        std::int32_t dopo;
    };
    const caso casi[] = {
        {2, 50, 101, 101},  {2, 1, 101, 101},   {2, 100, 101, 101}, {2, 0, 0, 0},
        {2, 101, 101, 101}, {2, 255, 255, 255}, {2, 300, 44, 300},  {2, -1, 255, -1},
        {1, 255, 0, 255},   {1, 50, 0, 101},    {0, 100, 0, 101},
    };
    for (const caso& c : casi) {
        banco_treno b;
        riga_segnale s{4150, c.sx, 4, 1, 0, 0, 2, 3, 1, 0, c.tempo};
        memo_segnale(b.stato, s);
        EXPECT_EQ(b[84].tempo, c.in_cella) << c.sx << " " << c.tempo;
        EXPECT_EQ(s.tempo, c.dopo) << c.sx << " " << c.tempo;
    }
}

// The cell members are 16 and 8 bits: the sums wrap.
TEST(MemoSegnale, SumsWrapInTheCellsWidths) {
    banco_treno b;
    riga_segnale s{4150, 30, 3277, 1, 0, 6554, 0, 0, 0, 0, 0};
    memo_segnale(b.stato, s);
    EXPECT_EQ(b[84].dato1, -32766);  // 32770
    EXPECT_EQ(b[84].dato4, 94);      // 65540 + 90
    EXPECT_EQ(b[82].preavviso, (900 + 1) % 256);
}

// Signal cell nearest(posizione / 50 + 1), halves to even.
TEST(MemoSegnale, CellOfThePosition) {
    struct caso {
        std::int32_t posizione;
        long long cella;
    };
    const caso casi[] = {{1500, 31}, {1524, 31}, {1525, 32}, {1575, 32}, {1576, 33}, {325, 8}};
    for (const caso& c : casi) {
        banco_treno b;
        riga_segnale s{c.posizione, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0};
        memo_segnale(b.stato, s);
        EXPECT_EQ(b[c.cella].tipo, tipo_cella::segnale) << c.posizione;
        EXPECT_EQ(b[c.cella - 8].preavviso, 34) << c.posizione;
    }
}

TEST(MemoSegnale, MountainMarkerIsReplacedAnotherFeatureIsCode16) {
    banco_treno b;
    b[84].tipo = tipo_cella::marcatore_montagna;
    b[84].montagna = 3;
    riga_segnale primo{4150, 1, 4, 1, 0, 0, 2, 3, 1, 0, 0};
    memo_segnale(b.stato, primo);
    EXPECT_EQ(b.stato.codice_errore, 0);
    EXPECT_EQ(b[84].tipo, tipo_cella::segnale);
    EXPECT_EQ(b[84].montagna, 3);

    // Nothing of the second signal is written.
    const cella prima = b[84];
    for (long long n = 76; n < 84; ++n) b[n].preavviso = 0;
    riga_segnale secondo{4175, 2, 9, 9, 9, 1, 1, 9, 9, 9, 200};
    memo_segnale(b.stato, secondo);
    EXPECT_EQ(b.stato.codice_errore, 16);
    EXPECT_EQ(b[84], prima);
    for (long long n = 76; n < 84; ++n) EXPECT_EQ(b[n].preavviso, 0) << n;
}

// A signal below 325 m would put its fourth approach mark before cell 0.
TEST(MemoSegnale, BelowThreeHundredTwentyFiveMetresIsAFault) {
    for (std::int32_t posizione : {324, 300, 0, -50}) {
        banco_treno b;
        riga_segnale s{posizione, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0};
        EXPECT_THROW(memo_segnale(b.stato, s), guasto_esecuzione) << posizione;

        banco_treno lettura;
        lettura.scrivi("[generale]\r\nsegnale, " + std::to_string(posizione) +
                       ", 1, 4, 0, 0, 0, 0, 0, 0, 0, 0\r\n");
        EXPECT_THROW(leggi_sorgente_treno(lettura.stato, 80), guasto_esecuzione) << posizione;
    }
}

// Any code after a signal row ends the reading at once with the signal's position.
TEST(RigaSegnale, CodeEndsTheReadingEarly) {
    banco_treno b;
    b.stato.posizione_errore = -1;
    b.compila({"velocita, 0, 50", "segnale, 4150, 1,4,1,0,0,2,3,1,0,0",
               "segnale, 4175, 1,4,1,0,0,2,3,1,0,0", "sabbia, 300"});
    EXPECT_EQ(b.stato.codice_errore, 16);
    EXPECT_EQ(b.stato.posizione_errore, 4175);
    EXPECT_EQ(b.stato.punti[86].voce_7, 0);
    EXPECT_EQ(b[0].velocita, 0) << "profiles are not completed";
    EXPECT_FALSE(b.sorgente_presente());
}

// A code 15 left by the line reader ends the reading at the first signal or slowdown row, which
// is still placed, and takes that row's position.
TEST(RigaSegnale, Code15FromTheLineReader) {
    const char* righe[] = {"segnale, 4150, 1,4,1,0,0,2,3,1,0,0",
                           "rallentamento, 4150, 50, 300, 0, 0, 0"};
    for (const char* riga : righe) {
        banco_treno b;
        b.stato.codice_errore = 15;
        b.stato.posizione_errore = 70000;
        b.compila({"velocita, 0, 50", "sabbia, 300", riga, "numero vetture, 5"});
        EXPECT_EQ(b.stato.codice_errore, 15) << riga;
        EXPECT_EQ(b.stato.posizione_errore, 4150) << riga;
        EXPECT_EQ(b.stato.punti[86].voce_7, 300) << riga;
        EXPECT_EQ(b.stato.punti[84].posizione, 0) << riga;
        EXPECT_NE(b[84].tipo, tipo_cella::binario) << riga;
        EXPECT_EQ(b[0].velocita, 0) << riga;
        EXPECT_FALSE(b.sorgente_presente());
    }
}

}  // namespace
}  // namespace scenario
