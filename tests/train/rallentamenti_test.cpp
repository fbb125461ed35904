#include "train/rallentamenti.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "banco_treno.h"
#include "model/guasto.h"
#include "train/lettore_treno.h"

namespace scenario {
namespace {

using prova::banco_treno;

TEST(RallentamentoIncorporato, Cells) {
    banco_treno b;
    b.compila_incorporata();
    ASSERT_EQ(b.stato.codice_errore, 0);
    EXPECT_EQ(b[405].tipo, tipo_cella::avviso_rallentamento);
    EXPECT_EQ(b[405].dato1, 50);
    EXPECT_EQ(b[429].tipo, tipo_cella::inizio_rallentamento);
    EXPECT_EQ(b[429].dato1, 50);
    EXPECT_EQ(b[429].dato3, 0);
    EXPECT_EQ(b[435].tipo, tipo_cella::fine_rallentamento);
    EXPECT_EQ(b[435].dato1, 50);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(b[404 - i].tipo, tipo_cella::preavviso_avviso) << i;
        EXPECT_EQ(b[404 - i].dato1, i + 1) << i;
        EXPECT_EQ(b[404 - i].dato2, 0) << i;
    }
    EXPECT_EQ(b[400].tipo, tipo_cella::binario);
    for (long long n : {405, 429, 435}) EXPECT_EQ(b[n].dato2, 0) << n;
}

// `d_v` goes into `dato2` of every cell of the slowdown, the approach cells their distance.
TEST(MemoRallentamento, WithDV) {
    banco_treno b;
    memo_rallentamento(b.stato, {21400, 50, 300, 7, 1, 60});
    for (long long n : {405, 429, 435}) {
        EXPECT_EQ(b[n].dato1, 50) << n;
        EXPECT_EQ(b[n].dato2, 60) << n;
    }
    EXPECT_EQ(b[429].dato3, 7);
    EXPECT_EQ(b[435].dato3, 7);
    EXPECT_EQ(b[405].dato3, 0);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(b[404 - i].dato2, i + 1) << i;
    EXPECT_EQ(b.stato.indice, 404);
}

// Up to 1500 m there is no room for the warning board 1200 m before the start.
TEST(MemoRallentamento, WarningBoardOnlyAfter1500) {
    struct caso {
        std::int32_t x;
        std::int32_t f_ta;
        long long avviso;  // -1: none
        bool preavvisi;
    };
    const caso casi[] = {
        {1500, 1, -1, false}, {1550, 1, 8, true}, {1550, 0, 8, false}, {1000, 1, -1, false}};
    for (const caso& c : casi) {
        banco_treno b;
        memo_rallentamento(b.stato, {c.x, 40, 100, 0, c.f_ta, 0});
        EXPECT_EQ(b.stato.codice_errore, 0);
        int avvisi = 0;
        int preavvisi = 0;
        for (const cella& cc : b.stato.percorso) {
            avvisi += cc.tipo == tipo_cella::avviso_rallentamento;
            preavvisi += cc.tipo == tipo_cella::preavviso_avviso;
        }
        EXPECT_EQ(avvisi, c.avviso >= 0 ? 1 : 0) << c.x;
        if (c.avviso >= 0) {
            EXPECT_EQ(b[c.avviso].tipo, tipo_cella::avviso_rallentamento) << c.x;
        }
        EXPECT_EQ(preavvisi, c.preavvisi ? 4 : 0) << c.x;
        if (c.preavvisi) {
            for (long long n = 4; n <= 7; ++n) EXPECT_EQ(b[n].dato1, 8 - n) << c.x;
        }
        EXPECT_EQ(b[c.x / 50 + 1].tipo, tipo_cella::inizio_rallentamento) << c.x;
        EXPECT_EQ(b[(c.x + 100) / 50 + 1].tipo, tipo_cella::fine_rallentamento) << c.x;
    }
}

// The slowdown at 21400 m, 300 m long: board 405, start 429, end 435, approach cells 401..404.
// Codes 17 to 19 write nothing; code 20 leaves the slowdown's own cells written.
TEST(MemoRallentamento, CellsNotFree) {
    struct caso {
        long long occupata;
        std::int32_t codice;
        bool scritto;
    };
    const caso casi[] = {{405, 17, false}, {429, 18, false}, {435, 19, false},
                         {404, 20, true},  {401, 20, true},  {400, 0, true}};
    for (const caso& c : casi) {
        banco_treno b;
        b[c.occupata].tipo = tipo_cella::indicatore_v_max;
        memo_rallentamento(b.stato, {21400, 50, 300, 0, 1, 0});
        EXPECT_EQ(b.stato.codice_errore, c.codice) << c.occupata;
        for (long long n : {405, 429, 435}) {
            if (n == c.occupata) continue;
            EXPECT_EQ(b[n].dato1, c.scritto ? 50 : 0) << c.occupata << " cell " << n;
        }
        int preavvisi = 0;
        for (const cella& cc : b.stato.percorso)
            preavvisi += cc.tipo == tipo_cella::preavviso_avviso;
        EXPECT_EQ(preavvisi, c.codice == 0 ? 4 : 0) << c.occupata;
    }
}

TEST(MemoRallentamento, MountainMarkersCountAsFree) {
    banco_treno b;
    for (long long n : {401, 405, 429, 435}) b[n].tipo = tipo_cella::marcatore_montagna;
    memo_rallentamento(b.stato, {21400, 50, 300, 0, 1, 0});
    EXPECT_EQ(b.stato.codice_errore, 0);
    EXPECT_EQ(b[401].tipo, tipo_cella::preavviso_avviso);
    EXPECT_EQ(b[405].tipo, tipo_cella::avviso_rallentamento);
}

// The end cell is tested, and faults, before anything is written.
TEST(MemoRallentamento, EndBeyondTheCellsIsAFaultBeforeAnyWrite) {
    banco_treno b;
    EXPECT_THROW(memo_rallentamento(b.stato, {63000, 50, 2000, 0, 1, 0}), guasto_esecuzione);
    for (const cella& c : b.stato.percorso) ASSERT_EQ(c, cella{});

    banco_treno lettura;
    lettura.scrivi("[generale]\r\nrallentamento, 63000, 50, 2000, 0, 1, 0\r\n");
    EXPECT_THROW(leggi_sorgente_treno(lettura.stato, 80), guasto_esecuzione);
}

struct errore_rallentamento {
    const char* caso;
    std::vector<std::string> righe;
    std::int32_t codice;
    std::int32_t posizione;
};

class ErroriRallentamento : public ::testing::TestWithParam<errore_rallentamento> {};

TEST_P(ErroriRallentamento, CodeAndPositionEndTheReading) {
    const errore_rallentamento& e = GetParam();
    banco_treno b;
    b.stato.posizione_errore = -1;
    b.compila_tra_sentinelle(e.righe);
    EXPECT_EQ(b.stato.codice_errore, e.codice);
    EXPECT_EQ(b.stato.posizione_errore, e.posizione);
    EXPECT_EQ(b.stato.punti[86].voce_7, 0);
    EXPECT_EQ(b[0].velocita, e.codice == 15 ? 10 : 0);
    EXPECT_FALSE(b.sorgente_presente());
}

// A signal at 20200 m stands in cell 405, 21400 m in 429, 21700 m in 435, 20150 m in 404.
INSTANTIATE_TEST_SUITE_P(
    Rallentamenti, ErroriRallentamento,
    ::testing::Values(errore_rallentamento{"avviso_17",
                                           {"segnale, 20200, 1,0,0,0,0,0,0,0,0,0",
                                            "rallentamento, 21400, 50, 300, 0, 1, 0"},
                                           17,
                                           21400},
                      errore_rallentamento{"inizio_18",
                                           {"segnale, 21400, 1,0,0,0,0,0,0,0,0,0",
                                            "rallentamento, 21400, 50, 300, 0, 1, 0"},
                                           18,
                                           21400},
                      errore_rallentamento{"fine_19",
                                           {"segnale, 21700, 1,0,0,0,0,0,0,0,0,0",
                                            "rallentamento, 21400, 50, 300, 0, 1, 0"},
                                           19,
                                           21400},
                      errore_rallentamento{"preavviso_20",
                                           {"segnale, 20150, 1,0,0,0,0,0,0,0,0,0",
                                            "rallentamento, 21400, 50, 300, 0, 1, 0"},
                                           20,
                                           21400},
                      errore_rallentamento{
                          "oltre_le_celle", {"rallentamento, 63901, 50, 300, 0, 1, 0"}, 15, 63901}),
    [](const auto& info) { return std::string(info.param.caso); });

}  // namespace
}  // namespace scenario
