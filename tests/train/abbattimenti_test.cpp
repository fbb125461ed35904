#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "banco_treno.h"

namespace scenario {
namespace {

using prova::banco_treno;

// A cab-code point stands in cell nearest(position / 50), one before a signal at the same place.
TEST(Abbattimenti, CellAndKindOfThePoint) {
    struct caso {
        std::int32_t posizione;
        std::int32_t valore;
        long long cella;
        int tipo;
        int dato1;
    };
    const caso casi[] = {
        {1500, 180, 30, tipo_cella::punto_codice, 180},
        {1500, 1, 30, tipo_cella::punto_codice, 1},
        {1500, 0, 30, tipo_cella::punto_codice_nullo, 0},
        {1500, -5, 30, tipo_cella::punto_codice_nullo, 0},
        {1525, 75, 30, tipo_cella::punto_codice, 75},
        {1575, 75, 32, tipo_cella::punto_codice, 75},
        {0, 75, 0, tipo_cella::punto_codice, 75},
    };
    for (const caso& c : casi) {
        banco_treno b;
        b.compila({"abbattimento, " + std::to_string(c.posizione) + ", " + std::to_string(c.valore),
                   "segnale, 1500, 1,0,0,0,0,0,0,0,0,0"});
        EXPECT_EQ(b.stato.codice_errore, 0) << c.posizione << " " << c.valore;
        EXPECT_EQ(b[c.cella].tipo, c.tipo) << c.posizione << " " << c.valore;
        EXPECT_EQ(b[c.cella].dato1, c.dato1) << c.posizione << " " << c.valore;
        EXPECT_EQ(b[31].tipo, tipo_cella::segnale);
    }
}

TEST(Abbattimenti, PointOnAFeatureIsCode7) {
    banco_treno b;
    b.stato.posizione_errore = -1;
    b.compila({"velocita, 0, 50", "segnale, 1450, 1,0,0,0,0,0,0,0,0,0", "abbattimento, 1500, 180",
               "sabbia, 300"});
    EXPECT_EQ(b.stato.codice_errore, 7);
    EXPECT_EQ(b.stato.posizione_errore, 1500);
    EXPECT_EQ(b[30].tipo, tipo_cella::segnale);
    EXPECT_EQ(b.stato.punti[86].voce_7, 0);
    EXPECT_EQ(b[0].velocita, 0);
    EXPECT_FALSE(b.sorgente_presente());
}

TEST(Abbattimenti, PointOnAMountainMarkerIsAccepted) {
    banco_treno b;
    b[30].tipo = tipo_cella::marcatore_montagna;
    b.compila({"abbattimento, 1500, 180"});
    EXPECT_EQ(b.stato.codice_errore, 0);
    EXPECT_EQ(b[30].tipo, tipo_cella::punto_codice);
}

}  // namespace
}  // namespace scenario
