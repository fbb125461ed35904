#include "output/coerenza_insieme.h"

#include <gtest/gtest.h>

#include "model/stato_run.h"
#include "output/formato_file.h"
#include "output/lettore_byte.h"
#include "output/lettura_formato.h"

namespace scenario {
namespace {

// The largest files of each kind, from the longest line and the longest names: what the
// readers of compiled files accept at most.
TEST(CoerenzaInsieme, DimensioniMassimeDeiTreFile) {
    static_assert(formato::byte_celle_massimo == 302115);
    static_assert(formato::byte_punti_massimo == 2853687);
    static_assert(formato::byte_geometria_massimo == 20140020);
    // The longest line: 1 000 000 m, 20 141 cells, metres 0 to 1 007 000.
    stato_run stato;
    stato.scrivi_linea = 1;
    dimensiona_modello(stato, formato::lunghezza_massima);
    EXPECT_EQ(formato::inizio_cella(stato.percorso.size()), formato::byte_celle_massimo);
    EXPECT_EQ(2 * (static_cast<std::size_t>(stato.profilo.ultimo_metro()) + 1) *
                  formato::byte_elemento_massimo,
              formato::byte_geometria_massimo);
}

// The counts the set check expects are the ones the compiler sizes, halves to even included,
// down to the shortest line that has cell 1 for the stamps.
TEST(CoerenzaInsieme, CelleEMetriComeLiDimensionaIlCompilatore) {
    for (std::int32_t lunghezza : {formato::lunghezza_minima, -6950, 0, 25, 75, 57000, 57025, 57075,
                                   999975, formato::lunghezza_massima}) {
        SCOPED_TRACE(lunghezza);
        stato_run stato;
        stato.scrivi_linea = 1;
        dimensiona_modello(stato, lunghezza);
        EXPECT_EQ(formato::celle_per_lunghezza(lunghezza), stato.percorso.size());
        EXPECT_EQ(formato::metri_per_lunghezza(lunghezza),
                  static_cast<std::size_t>(stato.profilo.ultimo_metro()) + 1);
    }
    stato_run stato;
    EXPECT_THROW(dimensiona_modello(stato, formato::lunghezza_minima - 1), guasto_esecuzione);
}

std::vector<punto> punti_con_lunghezza(std::int32_t lunghezza) {
    std::vector<punto> punti(indice_punti::numero);
    punti[1].nome = "Stazione";  // moves record 84 by 8 bytes
    punti[indice_punti::treno].fine = lunghezza;
    return punti;
}

TEST(CoerenzaInsieme, LunghezzaRegistrataFuoriDaQuelleCompilabili) {
    EXPECT_EQ(formato::lunghezza_registrata(punti_con_lunghezza(57000)), 57000);
    EXPECT_EQ(formato::lunghezza_registrata(punti_con_lunghezza(-6974)), -6974);
    for (std::int32_t lunghezza : {-6975, 1000001, -2147483647 - 1}) {
        SCOPED_TRACE(lunghezza);
        try {
            (void)formato::lunghezza_registrata(punti_con_lunghezza(lunghezza));
            ADD_FAILURE() << "accepted";
        } catch (const file_malformato& e) {
            // Record 84's `fine`, after 84 records of 34 bytes and the 8-byte name.
            EXPECT_EQ(e.offset(), 84 * 34 + 8 + 5);
            EXPECT_NE(e.cosa().find("line length " + std::to_string(lunghezza) + " m"),
                      std::string::npos)
                << e.cosa();
        }
    }
    EXPECT_THROW((void)formato::lunghezza_registrata({}), file_malformato);
}

TEST(CoerenzaInsieme, UnConteggioDiversoDiceEntrambeLeCifre) {
    EXPECT_NO_THROW(formato::verifica_celle(57000, 1281, "X.sim"));
    EXPECT_NO_THROW(formato::verifica_metri(57000, 64001, "X.sim"));
    try {
        formato::verifica_celle(57000, 1280, "X.sim");
        ADD_FAILURE() << "accepted";
    } catch (const formato::insieme_incoerente& e) {
        EXPECT_STREQ(e.what(),
                     "1280 track cells, but the line length of 57000 m in X.sim (record 84) "
                     "makes 1281 cells");
    }
    try {
        formato::verifica_metri(57000, 64000, "X.sim");
        ADD_FAILURE() << "accepted";
    } catch (const formato::insieme_incoerente& e) {
        EXPECT_STREQ(e.what(),
                     "64000 metres of geometry, but the line length of 57000 m in X.sim "
                     "(record 84) makes 64001 metres (0 to 64000)");
    }
}

// A file longer than the longest line is refused whole, before any geometry or cell vector is
// allocated for it.
TEST(CoerenzaInsieme, PiuDellaLineaPiuLungaEMalformato) {
    const std::size_t metri = formato::metri_per_lunghezza(formato::lunghezza_massima) + 1;
    const std::string vuoti(2 * metri * formato::byte_codice_elemento, '\0');
    try {
        (void)formato::decodifica_geometria(vuoti);
        ADD_FAILURE() << "accepted";
    } catch (const file_malformato& e) {
        EXPECT_EQ(e.cosa(), "1007002 metres, more than the 1007001 of the longest line");
    }
    const std::string celle(formato::byte_celle_massimo + formato::byte_cella, '\0');
    EXPECT_THROW((void)formato::decodifica_celle(celle), file_malformato);
    EXPECT_EQ(formato::decodifica_celle(celle.substr(formato::byte_cella)).size(), 20141u);
}

}  // namespace
}  // namespace scenario
