#include <gtest/gtest.h>

#include <utility>

#include "model/guasto.h"
#include "model/numeri.h"
#include "model/stato_run.h"

namespace scenario {
namespace {

TEST(Arrotondamento, MetaVersoIlPari) {
    struct caso {
        double x;
        double atteso;
    };
    const caso casi[] = {{2.5, 2},     {3.5, 4},     {-2.5, -2},     {-3.5, -4}, {140.5, 140},
                         {141.5, 142}, {0.49999, 0}, {1.5000001, 2}, {-0.5, 0},  {7.0, 7}};
    for (const caso& c : casi) EXPECT_EQ(vicino_pari(c.x), c.atteso) << c.x;
}

TEST(Arrotondamento, FuoriDallaLarghezzaEGuasto) {
    EXPECT_EQ(arrotonda<std::int16_t>(32767.4), 32767);
    EXPECT_THROW(arrotonda<std::int16_t>(32767.5), guasto_esecuzione);
    EXPECT_THROW(arrotonda<std::uint8_t>(-0.6), guasto_esecuzione);
    EXPECT_EQ(arrotonda<std::uint8_t>(-0.5), 0);
}

TEST(Larghezze, MemorizzazioniStretteTengonoIBitBassi) {
    EXPECT_EQ(basso8(-22 + 100), 78);
    EXPECT_EQ(basso8(300), 44);
    EXPECT_EQ(basso16(70000), 4464);
    EXPECT_THROW(stretto<std::int16_t>(32768), guasto_esecuzione);
    EXPECT_THROW(somma32(2147483647, 1), guasto_esecuzione);
    EXPECT_EQ(somma32(-2147483647, -1), -2147483647 - 1);
}

TEST(Modello, DimensionamentoDelleCelle) {
    struct caso {
        std::int32_t lunghezza;
        std::int32_t ultima_cella;
    };
    // 7025 / 50 = 140.5 rounds to the even 140; 7075 / 50 = 141.5 to 142.
    // -6974 is the shortest line that still has cell 1 (7000 - 6974 = 26 m, 0.52 cells).
    const caso casi[] = {{0, 140}, {25, 140}, {75, 142}, {57000, 1280}, {-6974, 1}};
    for (const caso& c : casi) {
        stato_run stato;
        stato.scrivi_linea = 1;
        dimensiona_modello(stato, c.lunghezza);
        EXPECT_EQ(stato.ultima_cella, c.ultima_cella) << c.lunghezza;
        EXPECT_EQ(stato.percorso.size(), static_cast<std::size_t>(c.ultima_cella) + 1);
        EXPECT_EQ(stato.profilo.ultimo_metro(), c.lunghezza + 7000);
        EXPECT_EQ(stato.percorso[c.ultima_cella], cella{});
    }
}

TEST(Modello, SenzaGeometriaQuandoNonSiScriveLaLinea) {
    stato_run stato;
    stato.scrivi_linea = 0;
    dimensiona_modello(stato, 57000);
    EXPECT_FALSE(stato.profilo.dimensionato());
}

// Cell 1 carries the stamps: a length that leaves none is a fault, and it also undoes the sizing
// of an earlier length line, so that nothing is written from the old cells.
TEST(Modello, LunghezzaSenzaCellaUnoEGuastoESvuotaIlModello) {
    for (std::int32_t lunghezza : {-7001, -7000, -6990, -6975, -2147483647 - 1}) {
        SCOPED_TRACE(lunghezza);
        stato_run stato;
        stato.scrivi_linea = 1;
        dimensiona_modello(stato, 57000);
        EXPECT_THROW(dimensiona_modello(stato, lunghezza), guasto_esecuzione);
        EXPECT_FALSE(percorso_dimensionato(stato));
        EXPECT_FALSE(stato.profilo.dimensionato());
    }
}

TEST(Modello, OgniAccessoFuoriDagliArrayEGuasto) {
    stato_run stato;
    stato.scrivi_linea = 1;
    dimensiona_modello(stato, 0);
    EXPECT_THROW(stato.percorso[-1], guasto_esecuzione);
    EXPECT_THROW(stato.percorso[141], guasto_esecuzione);
    EXPECT_THROW(stato.punti[87], guasto_esecuzione);
    EXPECT_THROW(stato.montagna_inizio[81], guasto_esecuzione);
    EXPECT_THROW(stato.profilo.imposta_reale(7001, 0, 1.0), guasto_esecuzione);
    EXPECT_THROW(stato.profilo.valore(0, 2), guasto_esecuzione);
    EXPECT_NO_THROW(stato.montagna_fine[80]);
}

TEST(Modello, AzzeramentoDeiPunti) {
    stato_run stato;
    for (int n = 0; n < indice_punti::numero; ++n) {
        stato.punti[n].nome = "x";
        stato.punti[n].orario = n + 1;
        stato.punti[n].voce_5 = 3;
    }
    azzera_punti(stato);
    for (int n = 0; n < indice_punti::numero; ++n) EXPECT_EQ(stato.punti[n], punto{}) << n;
}

TEST(Modello, ElementiDelProfiloTipizzati) {
    profilo_linea profilo;
    profilo.dimensiona(3);
    profilo.imposta_intero(1, 1, 1);
    profilo.imposta_reale(2, 0, -0.25);
    EXPECT_EQ(profilo.tipo(0, 0), profilo_linea::tipo_valore::vuoto);
    EXPECT_EQ(profilo.tipo(1, 1), profilo_linea::tipo_valore::intero);
    EXPECT_EQ(profilo.tipo(2, 0), profilo_linea::tipo_valore::reale);
    EXPECT_EQ(profilo.valore(1, 1), 1.0);
    EXPECT_EQ(profilo.valore(2, 0), -0.25);
    EXPECT_EQ(profilo.tipo(2, 1), profilo_linea::tipo_valore::vuoto);
}

// Sized again, a profile is all empty once more, whatever it held; a copy is its own; a profile
// moved from is not sized.
TEST(Modello, ProfiloRidimensionatoCopiatoESpostato) {
    profilo_linea profilo;
    profilo.dimensiona(2000);
    for (int m = 0; m <= 2000; ++m) profilo.imposta_reale(m, m % 2, m + 0.5);
    profilo.dimensiona(2000);
    for (int c = 0; c < 2; ++c) {
        for (int m = 0; m <= 2000; ++m) {
            ASSERT_EQ(profilo.tipo(m, c), profilo_linea::tipo_valore::vuoto) << m;
            ASSERT_EQ(profilo.valore(m, c), 0.0) << m;
        }
    }
    profilo.imposta_intero(7, 1, -3);
    profilo_linea copia = profilo;
    profilo.imposta_reale(7, 1, 9.0);
    EXPECT_EQ(copia.tipo(7, 1), profilo_linea::tipo_valore::intero);
    EXPECT_EQ(copia.valore(7, 1), -3.0);
    EXPECT_EQ(copia.ultimo_metro(), 2000);
    copia = profilo_linea{};
    EXPECT_FALSE(copia.dimensionato());

    profilo_linea spostato = std::move(profilo);
    EXPECT_EQ(spostato.valore(7, 1), 9.0);
    EXPECT_FALSE(profilo.dimensionato());  // NOLINT(bugprone-use-after-move)
    EXPECT_THROW(profilo.valore(0, 0), guasto_esecuzione);
    EXPECT_TRUE(profilo.tipi(0).empty());
}

// What is recorded is applied after what was set or recorded before it and before what is set
// after it, whichever read comes first; a copy carries it; sizing again drops it; a record
// outside the metres is refused when made, not when a later read would apply it.
TEST(Modello, TrattiRegistratiNellOrdine) {
    const auto avvia = [](profilo_linea& p) {
        p.dimensiona(10);
        p.aggiungi_intero(1, 1, 1);
        p.aggiungi_tratto({2, 5, false, 0.0});
        p.imposta_reale(4, 0, 7.0);  // steps 2..5 first, then overwrites one of them
        p.aggiungi_tratto({5, 6, true, 0.5});
    };
    profilo_linea profilo;
    avvia(profilo);
    profilo_linea copia = profilo;
    // From (x, y) = (0, 0), (0, 1): straight to y = 5; metre 4 set to x = 7 afterwards, so the
    // curve steps metre 5 again from (0, 3) and (7, 4).
    EXPECT_EQ(profilo.valore(3, 1), 3.0);
    EXPECT_EQ(profilo.valore(4, 0), 7.0);
    EXPECT_EQ(profilo.valore(5, 0), 7.0 + (7.0 + 0.5 * 1.0));
    for (const profilo_linea* p : {&profilo, &copia}) {
        for (int c = 0; c < 2; ++c) {
            for (int m = 0; m <= 10; ++m) {
                ASSERT_EQ(p->tipo(m, c), profilo.tipo(m, c)) << m;
                ASSERT_EQ(p->valore(m, c), profilo.valore(m, c)) << m;
            }
            EXPECT_EQ(p->tipo(0, c), profilo_linea::tipo_valore::vuoto);
            EXPECT_EQ(p->tipo(6, c), profilo_linea::tipo_valore::reale);
            EXPECT_EQ(p->tipo(7, c), profilo_linea::tipo_valore::vuoto);
        }
    }

    profilo_linea ridimensionato;
    avvia(ridimensionato);
    ridimensionato.dimensiona(10);
    for (int m = 0; m <= 10; ++m) ASSERT_EQ(ridimensionato.valore(m, 1), 0.0) << m;

    struct caso {
        tratto_profilo tratto;
        const char* perche;
    };
    const caso fuori[] = {
        {{1, 5, false, 0.0}, "metre 1 has no two metres before it"},
        {{6, 5, false, 0.0}, "ends before it starts"},
        {{5, 11, true, 0.1}, "past the last metre"},
    };
    for (const caso& c : fuori) {
        profilo_linea p;
        p.dimensiona(10);
        EXPECT_THROW(p.aggiungi_tratto(c.tratto), guasto_esecuzione) << c.perche;
    }
    profilo_linea senza_misura;
    EXPECT_THROW(senza_misura.aggiungi_tratto({2, 2, false, 0.0}), guasto_esecuzione);
    EXPECT_THROW(senza_misura.aggiungi_intero(0, 0, 0), guasto_esecuzione);
    profilo_linea corto;
    corto.dimensiona(10);
    EXPECT_THROW(corto.aggiungi_intero(11, 0, 0), guasto_esecuzione);
    EXPECT_THROW(corto.aggiungi_intero(0, 2, 0), guasto_esecuzione);
}

TEST(Modello, ErroreRegistratoPortaIlRecordSorgente) {
    stato_run stato;
    stato.posizione_errore = 99;
    stato.luogo_corrente = {"x_linea.txt", 12, 3};
    registra_errore(stato, 102);
    EXPECT_EQ(stato.codice_errore, 102);
    EXPECT_EQ(stato.posizione_errore, 99);  // kept where the code has no position
    EXPECT_EQ(stato.luogo_errore.riga, 12);
    registra_errore(stato, 16, 4150);
    EXPECT_EQ(stato.posizione_errore, 4150);
}

}  // namespace
}  // namespace scenario
