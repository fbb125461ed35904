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
using prova::riga_stazione;

TEST(StazioniIncorporate, EntriesAndZones) {
    struct caso {
        int n;
        std::int32_t posizione;
        int tipo;
        std::int32_t inizio;
        std::int32_t fine;
        std::int32_t orario;
        const char* nome;  // Windows-1252
    };
    const caso casi[] = {
        {1, 0, 8, -400, 400, 34920, "LERNO"},
        {2, 5800, 25, 5700, 5900, 0, "2\xB0 bivio LERNO NORD"},
        {3, 8400, 24, 8250, 8550, 0, "DORVANO"},
        {4, 13500, 22, 13350, 13650, 36000, "CASTELBRUM"},
        {5, 19000, 24, 18850, 19150, 0, "GRUVICCANO"},
        {6, 20750, 27, 20650, 20850, 0, "S. OLVANO"},
        {7, 29900, 24, 29750, 30050, 0, "GROTTE S. MERVIO"},
        {8, 40250, 24, 40100, 40400, 0, "MONTESCARNIO"},
        {9, 53000, 12, 52800, 53200, 43200, "PUSENA P.F."},
    };
    banco_treno b;
    b.compila_incorporata();
    for (const caso& c : casi) {
        const punto& p = b.stato.punti[c.n];
        EXPECT_EQ(p.posizione, c.posizione) << c.n;
        EXPECT_EQ(p.tipo, c.tipo) << c.n;
        EXPECT_EQ(p.inizio, c.inizio) << c.n;
        EXPECT_EQ(p.fine, c.fine) << c.n;
        EXPECT_EQ(p.orario, c.orario) << c.n;
        EXPECT_EQ(p.nome, c.nome) << c.n;
    }
    EXPECT_EQ(b.stato.punti[10], punto{});

    const punto& lerno = b.stato.punti[1];
    EXPECT_EQ(lerno.voce_4, 1);
    EXPECT_EQ(lerno.voce_5, 0);
    EXPECT_EQ(lerno.voce_6, 0);
    EXPECT_EQ(lerno.voce_7, 4);
    EXPECT_EQ(lerno.voce_8, 1);
    EXPECT_EQ(lerno.voce_9, 0);
    EXPECT_EQ(lerno.voce_10, 2);
    EXPECT_EQ(lerno.voce_11, 1);
    EXPECT_EQ(lerno.voce_12, 1);
    EXPECT_EQ(lerno.voce_13, 1);
    EXPECT_EQ(b.stato.punti[3].voce_13, 145);
    EXPECT_EQ(b.stato.punti[4].voce_13, 60);
}

// Stop marks carry the station's index; the four cells before each carry 81..84. The junction
// (kind 25) and S. OLVANO (kind 27) get none.
TEST(StazioniIncorporate, StopAndApproachMarks) {
    struct fermata {
        long long cella;
        int n;
    };
    const fermata fermate[] = {{7, 1}, {170, 3}, {272, 4}, {382, 5}, {600, 7}, {807, 8}, {1063, 9}};
    banco_treno b;
    b.compila_incorporata();
    int celle_fermata = 0;
    for (const cella& c : b.stato.percorso) celle_fermata += c.tipo == tipo_cella::fermata;
    EXPECT_EQ(celle_fermata, 7);
    // Where the junction's and S. OLVANO's marks would stand.
    for (long long fine_zona : {5900, 20850}) {
        for (long long n = fine_zona / 50 - 5; n <= fine_zona / 50 - 1; ++n) {
            EXPECT_EQ(b[n].tipo, tipo_cella::binario) << n;
            EXPECT_EQ(b[n].preavviso, 0) << n;
        }
    }
    for (const fermata& f : fermate) {
        EXPECT_EQ(b[f.cella].tipo, tipo_cella::fermata) << f.cella;
        EXPECT_EQ(b[f.cella].dato1, f.n) << f.cella;
        for (int k = 1; k <= 4; ++k) EXPECT_EQ(b[f.cella - k].preavviso, 80 + k) << f.cella;
    }
}

// The zone and the cell marks by kind. A station at 10000 m, 400 m long, `voce_5` 9 and `voce_6`
// 1, stands second after one at 2000 m.
TEST(Stazioni, ZoneAndMarksByKind) {
    struct caso {
        int tipo;
        std::int32_t inizio;
        std::int32_t fine;
        int voce_6;
        bool preavvisi;
        bool fermata;
    };
    const caso casi[] = {
        {0, 9800, 10250, 1, true, true},    {4, 9800, 10250, 1, true, true},
        {5, 9600, 10150, 0, false, true},   {6, 9600, 10150, 0, false, true},
        {7, 9600, 10400, 0, true, true},    {8, 9600, 10400, 0, true, true},
        {9, 9800, 10250, 1, true, true},    {24, 9800, 10250, 1, true, true},
        {25, 9800, 10250, 1, false, false}, {255, 9800, 10250, 1, false, false},
    };
    for (const caso& c : casi) {
        banco_treno b;
        b.compila({riga_stazione(2000, 24, 200), riga_stazione(10000, c.tipo, 400, 9, 1)});
        ASSERT_EQ(b.stato.codice_errore, 0) << c.tipo;
        const punto& p = b.stato.punti[2];
        EXPECT_EQ(p.inizio, c.inizio) << c.tipo;
        EXPECT_EQ(p.fine, c.fine) << c.tipo;
        EXPECT_EQ(p.voce_6, c.voce_6) << c.tipo;
        EXPECT_EQ(p.voce_5, 0) << c.tipo;  // below 600 m

        const long long m = c.fine / 50 - 1;
        EXPECT_EQ(b[m].tipo, c.fermata ? tipo_cella::fermata : 0) << c.tipo;
        EXPECT_EQ(b[m].dato1, c.fermata ? 2 : 0) << c.tipo;
        for (int k = 1; k <= 4; ++k) {
            EXPECT_EQ(b[m - k].preavviso, c.preavvisi ? 80 + k : 0) << c.tipo << " " << k;
        }
    }
}

TEST(Stazioni, Voce5And6) {
    banco_treno b;
    b.compila({riga_stazione(2000, 24, 600, 7, 1), riga_stazione(10000, 24, 600, 8, 1),
               riga_stazione(20000, 24, 500, 9, 1)});
    ASSERT_EQ(b.stato.codice_errore, 0);
    // The first station's zone uses `voce_6` as read, then both are cleared.
    EXPECT_EQ(b.stato.punti[1].fine, 2350);
    EXPECT_EQ(b.stato.punti[1].voce_5, 0);
    EXPECT_EQ(b.stato.punti[1].voce_6, 0);
    EXPECT_EQ(b.stato.punti[2].voce_5, 8);
    EXPECT_EQ(b.stato.punti[2].voce_6, 1);
    EXPECT_EQ(b.stato.punti[3].voce_5, 0);
}

// A stop mark is written over whatever the cell held; approach marks leave `tipo` alone and are
// not written in cell 1 or before.
TEST(Stazioni, MarksNearTheStartAndOverOtherFeatures) {
    banco_treno b;
    b[3].tipo = tipo_cella::segnale;
    b[3].dato1 = 44;
    b[2].tipo = tipo_cella::segnale;
    b.compila({riga_stazione(0, 8, 200)});
    ASSERT_EQ(b.stato.codice_errore, 0);
    EXPECT_EQ(b[3].tipo, tipo_cella::fermata);
    EXPECT_EQ(b[3].dato1, 1);
    EXPECT_EQ(b[2].tipo, tipo_cella::segnale);
    EXPECT_EQ(b[2].preavviso, 81);
    EXPECT_EQ(b[1].preavviso, 0);
    EXPECT_EQ(b[0].preavviso, 0);
}

TEST(Stazioni, StationKeywordWithWordsAround) {
    banco_treno b;
    b.compila({"la Stazione di, 1000, 24, 200, 0,0,0, 0,0,0, 0,0,0, 0, 10,30,15, BORGO, NUOVO"});
    EXPECT_EQ(b.stato.punti[1].posizione, 1000);
    EXPECT_EQ(b.stato.punti[1].orario, 37815);
    // The name ends at a comma; the rest is read as a keyword and skipped.
    EXPECT_EQ(b.stato.punti[1].nome, "BORGO");
    EXPECT_EQ(b.stato.codice_errore, 0);
}

struct errore_stazione {
    const char* caso;
    std::vector<std::string> righe;
    std::int32_t codice;
    std::int32_t posizione;  // -1: left as it was
};

class ErroriStazione : public ::testing::TestWithParam<errore_stazione> {};

// Early ends delete the source and leave the profiles incomplete; code 15 ends only the reading.
TEST_P(ErroriStazione, CodePositionAndEnd) {
    const errore_stazione& e = GetParam();
    banco_treno b;
    b.stato.posizione_errore = -1;
    b.compila_tra_sentinelle(e.righe);
    EXPECT_EQ(b.stato.codice_errore, e.codice);
    EXPECT_EQ(b.stato.posizione_errore, e.posizione);
    EXPECT_EQ(b.stato.punti[86].voce_7, 0) << "reading went on";
    EXPECT_EQ(b[0].velocita, e.codice == 15 ? 10 : 0) << "profiles";
    EXPECT_FALSE(b.sorgente_presente());
}

INSTANTIATE_TEST_SUITE_P(
    Stazioni, ErroriStazione,
    ::testing::Values(
        errore_stazione{"posizione_5825", {riga_stazione(5825, 24, 200)}, 8, 5825},
        errore_stazione{"lunghezza_250", {riga_stazione(5800, 24, 250)}, 9, 5800},
        errore_stazione{"fine_zona_100", {riga_stazione(0, 8, 100)}, 24, -1},
        errore_stazione{"fine_zona_100_tipo_5", {riga_stazione(-50, 5, 100)}, 24, -1},
        errore_stazione{
            "distanza_300", {riga_stazione(1000, 24, 200), riga_stazione(1500, 24, 200)}, 22, 1500},
        errore_stazione{"oltre_le_celle", {riga_stazione(63250, 24, 200)}, 15, 63250}),
    [](const auto& info) { return std::string(info.param.caso); });

TEST(Stazioni, ZonesExactly350ApartAreAccepted) {
    banco_treno b;
    b.compila({riga_stazione(1000, 24, 200), riga_stazione(1550, 24, 200),
               riga_stazione(63200, 25, 200)});
    EXPECT_EQ(b.stato.codice_errore, 0);
    EXPECT_EQ(b.stato.punti[2].inizio - 350, b.stato.punti[1].fine);
    EXPECT_EQ(b.stato.punti[3].posizione, 63200);
}

TEST(Stazioni, CodeTwentyTwoKeepsTheStoredEntry) {
    banco_treno b;
    b.compila({riga_stazione(1000, 24, 200), riga_stazione(1500, 24, 200)});
    ASSERT_EQ(b.stato.codice_errore, 22);
    EXPECT_EQ(b.stato.punti[2].fine, 1600);
    EXPECT_EQ(b[31].tipo, tipo_cella::fermata);
}

// Stations and board texts share `punti` 1..80: the station that leaves no gap before the next
// free board index is written, then code 10 ends the reading.
TEST(Stazioni, StationsMeetingTheBoardTexts) {
    struct caso {
        std::int32_t prossimo_cartello;
        int accettate;
    };
    const caso casi[] = {{80, 78}, {50, 48}};
    for (const caso& c : casi) {
        for (int stazioni : {c.accettate, c.accettate + 1}) {
            banco_treno b;
            b.stato.posizione_errore = -1;
            std::string testo = "[generale]\r\n";
            for (int n = 0; n < stazioni; ++n)
                testo += riga_stazione(1000 + 700 * n, 24, 200) + "\r\n";
            b.scrivi(testo);
            leggi_sorgente_treno(b.stato, c.prossimo_cartello);
            const bool oltre = stazioni > c.accettate;
            EXPECT_EQ(b.stato.codice_errore, oltre ? 10 : 0) << stazioni;
            EXPECT_EQ(b.stato.posizione_errore, -1);
            EXPECT_EQ(b.stato.punti[stazioni].posizione, 1000 + 700 * (stazioni - 1)) << stazioni;
            EXPECT_EQ(b.stato.punti[stazioni + 1], punto{}) << stazioni;
        }
    }
}

// A stop mark beyond the cells is a run-time fault.
TEST(Stazioni, StopMarkBeyondTheCellsIsAFault) {
    banco_treno b;
    b.scrivi("[generale]\r\n" + riga_stazione(63000, 8, 2000) + "\r\n");
    EXPECT_THROW(leggi_sorgente_treno(b.stato, 80), guasto_esecuzione);
}

}  // namespace
}  // namespace scenario
