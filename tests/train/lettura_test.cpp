#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "banco_treno.h"
#include "model/guasto.h"
#include "train/lettore_treno.h"

namespace scenario {
namespace {

using prova::banco_treno;
using prova::righe_crlf;

TEST(LetturaTreno, BuiltInTrainParameters) {
    banco_treno b;
    b.compila_incorporata();
    const punto& treno = b.stato.punti[84];
    const punto& ripetizione = b.stato.punti[86];
    EXPECT_EQ(treno.inizio, 105);
    EXPECT_EQ(treno.posizione, 6);
    EXPECT_EQ(ripetizione.voce_7, 200);
    EXPECT_EQ(ripetizione.voce_10, 9);
    EXPECT_EQ(ripetizione.voce_11, 41);
    EXPECT_EQ(ripetizione.voce_12, 45);
    EXPECT_EQ(b.stato.codice_errore, 0);
    EXPECT_FALSE(b.sorgente_presente());
}

struct parametri {
    std::int32_t massa = 0;
    std::int32_t vetture = 0;
    std::int32_t sabbia = 0;
    std::int32_t ore = 0;
};

parametri leggi_parametri(const banco_treno& b) {
    return {b.stato.punti[84].inizio, b.stato.punti[84].posizione, b.stato.punti[86].voce_7,
            b.stato.punti[86].voce_10};
}

// Keywords are substrings, case ignored; a field that matches nothing is skipped on its own, so
// the fields after it are examined as keywords in turn.
TEST(LetturaTreno, KeywordsAreRecognisedBySubstring) {
    struct caso {
        const char* righe;
        parametri atteso;
    };
    const caso casi[] = {
        {"PERCENTUALE MASSA FRENATA, 90", {90, 0, 0, 0}},
        {"frenata della massa, 90", {90, 0, 0, 0}},
        {"frenata, 90", {0, 0, 0, 0}},
        {"Numero Vetture, 7", {0, 7, 0, 0}},
        {"SABBIA, -5", {0, 0, -5, 0}},
        {"orologio, 10 20 30", {0, 0, 0, 10}},
        {"sabbia, 1\r\nsabbia, 2", {0, 0, 2, 0}},
        {"[segnali]\r\n[stazioni]\r\n[aderenze]\r\n[rallentamenti]\r\n[codici]\r\nvetture, 3",
         {0, 3, 0, 0}},
        {"numero vetture, 4, sabbia, 5", {0, 4, 5, 0}},
        {"vetture sabbia, 4, 5", {0, 4, 5, 0}},
    };
    for (const caso& c : casi) {
        banco_treno b;
        b.scrivi("[generale]\r\n" + std::string(c.righe) + "\r\n[fine]\r\n");
        leggi_sorgente_treno(b.stato, 80);
        parametri p = leggi_parametri(b);
        EXPECT_EQ(p.massa, c.atteso.massa) << c.righe;
        EXPECT_EQ(p.vetture, c.atteso.vetture) << c.righe;
        EXPECT_EQ(p.sabbia, c.atteso.sabbia) << c.righe;
        EXPECT_EQ(p.ore, c.atteso.ore) << c.righe;
        EXPECT_EQ(b.stato.codice_errore, 0) << c.righe;
    }
}

TEST(LetturaTreno, ClockNumbersSeparatedByBlanksOnly) {
    banco_treno b;
    b.compila({"orologio,    9               41            45 ", "sabbia, 7"});
    EXPECT_EQ(b.stato.punti[86].voce_10, 9);
    EXPECT_EQ(b.stato.punti[86].voce_11, 41);
    EXPECT_EQ(b.stato.punti[86].voce_12, 45);
    EXPECT_EQ(b.stato.punti[86].voce_7, 7);
}

// Up to two comment fields in a row are skipped; a third is examined like a keyword.
TEST(LetturaTreno, AtMostTwoCommentFieldsAreSkipped) {
    struct caso {
        const char* righe;
        std::int16_t sabbia;
    };
    const caso casi[] = {
        {"-- commento\r\nsabbia, 300", 300},
        {"-a\r\n-b\r\nsabbia, 300", 300},
        {"-sabbia, 300", 0},
        {"-a\r\n-sabbia, 300", 0},
        {"-a\r\n-b\r\n-sabbia, 300", 300},
        {"-a, -b, -c, -d, sabbia, 300", 300},
    };
    for (const caso& c : casi) {
        banco_treno b;
        b.scrivi("[generale]\r\n" + std::string(c.righe) + "\r\n[fine]\r\n");
        leggi_sorgente_treno(b.stato, 80);
        EXPECT_EQ(b.stato.punti[86].voce_7, c.sabbia) << c.righe;
    }
}

TEST(LetturaTreno, EverythingBeforeGeneraleIsIgnored) {
    banco_treno b;
    b.scrivi(righe_crlf({"sabbia, 300", "vetture, 9", "[GENERALE]", "sabbia, 12", "[fine]"}));
    leggi_sorgente_treno(b.stato, 80);
    EXPECT_EQ(b.stato.punti[86].voce_7, 12);
    EXPECT_EQ(b.stato.punti[84].posizione, 0);
}

// With no "[generale]" no record is read, yet the profiles are completed from the starting
// values and the source is deleted, with no code.
TEST(LetturaTreno, NoGeneraleReadsNothing) {
    banco_treno b;
    for (cella& c : b.stato.percorso) {
        c.velocita = 99;
        c.aderenza = 99;
    }
    b.scrivi(righe_crlf(
        {"velocita, 0, 100", "sabbia, 300", "segnale, 100, 1,1,1,1,1,1,1,1,1,1", "[fine]"}));
    leggi_sorgente_treno(b.stato, 80);
    EXPECT_EQ(b.stato.codice_errore, 0);
    EXPECT_EQ(b.stato.punti[86].voce_7, 0);
    for (long long n = 0; n <= 1277; ++n) {
        ASSERT_EQ(b[n].velocita, 0) << n;
        ASSERT_EQ(b[n].aderenza, 0) << n;
    }
    EXPECT_EQ(b[1278].velocita, 99);
    EXPECT_FALSE(b.sorgente_presente());
}

// Only a field that ends the file where a keyword is expected goes unexamined.
TEST(LetturaTreno, EndOfFileWithoutFinalLine) {
    banco_treno ultimo_record;
    ultimo_record.scrivi("[generale]\r\nsabbia, 300");
    leggi_sorgente_treno(ultimo_record.stato, 80);
    EXPECT_EQ(ultimo_record.stato.punti[86].voce_7, 300);

    // Examined, "vetture" would read a number past the end of the file.
    banco_treno parola_sola;
    parola_sola.scrivi("[generale]\r\nsabbia, 300\r\nvetture");
    EXPECT_NO_THROW(leggi_sorgente_treno(parola_sola.stato, 80));
    EXPECT_EQ(parola_sola.stato.punti[86].voce_7, 300);
    EXPECT_FALSE(parola_sola.sorgente_presente());
}

// Each of these is a run-time fault (code 25 in the compiler).
TEST(LetturaTreno, ValuesThatDoNotFitOrAreMissingAreFaults) {
    const char* casi[] = {
        "sabbia, 32768",
        "sabbia, -32769",
        "orologio, 9, 41, 32768",
        "numero vetture, 2147483648",
        "sabbia, molta",
        "velocita, 800",
        "stazione, 1000, 256, 200, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X",
        "stazione, 1000, 24, 200, 256,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X",
        "stazione, 1000, 24, 200, 0,0,0, 32768,0,0, 0,0,0, 0, 0,0,0, X",
        "stazione, 1000, 24, 200, 0,0,0, 0,0,-1, 0,0,0, 0, 0,0,0, X",
        "stazione, 1000, 24, 200, 0,0,0, 0,0,0, 0,0,-32769, 0, 0,0,0, X",
        "stazione, 1000, 24, 200, 0,0,0, 0,0,0, 0,0,0, 256, 0,0,0, X",
        "stazione, 1000, 24, 200, 0,0,0, 0,0,0, 0,0,0, 0, 596524,0,0, X",
        "stazione, 1000, 24, 200, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0",
    };
    for (const char* riga : casi) {
        banco_treno b;
        b.scrivi("[generale]\r\n" + std::string(riga));
        EXPECT_THROW(leggi_sorgente_treno(b.stato, 80), guasto_esecuzione) << riga;
    }
}

TEST(LetturaTreno, WidestValuesThatFit) {
    banco_treno b;
    b.compila({"sabbia, 32767", "orologio, -32768, 0, 32767", "numero vetture, -2147483648"});
    EXPECT_EQ(b.stato.punti[86].voce_7, 32767);
    EXPECT_EQ(b.stato.punti[86].voce_10, -32768);
    EXPECT_EQ(b.stato.punti[86].voce_12, 32767);
    EXPECT_EQ(b.stato.punti[84].posizione, -2147483647 - 1);
}

TEST(LetturaTreno, VanishedSourceIsAFault) {
    banco_treno b;
    EXPECT_THROW(leggi_sorgente_treno(b.stato, 80), guasto_esecuzione);
}

// A recorded code knows the source record that raised it.
TEST(LetturaTreno, CodeCarriesItsSourceRecord) {
    banco_treno b;
    b.compila({"sabbia, 1", "  stazione, 1025, 24, 200, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, X"});
    EXPECT_EQ(b.stato.codice_errore, 8);
    EXPECT_EQ(b.stato.luogo_errore.file, "Prova_123-.txt");
    EXPECT_EQ(b.stato.luogo_errore.riga, 3);
    EXPECT_EQ(b.stato.luogo_errore.colonna, 3);
}

}  // namespace
}  // namespace scenario
