#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "line/cartelli.h"
#include "line/montagne.h"
#include "linea_prova.h"
#include "model/guasto.h"
#include "run/memorizza_dati.h"

namespace scenario {
namespace {

using prova::righe_crlf;
using prova::sorgente_con;

// `volte` rows made by `riga(n)`.
template <typename F>
std::vector<std::string> righe_da(int volte, F riga) {
    std::vector<std::string> righe;
    for (int n = 0; n < volte; ++n) righe.push_back(riga(n));
    return righe;
}

class GuastiLinea : public prova::LineaProva {};

// Everything that would address outside an array, overflow 32 bits or read past the end of the
// source is a run-time fault: the compiler records 25 and deletes both sources.
TEST_F(GuastiLinea, DiventanoCodice25) {
    struct caso {
        const char* nome;
        std::string sorgente;
        std::int32_t scrivi_linea;
    };
    auto montagna = [](int n) {
        return "montagna,  " + std::to_string(1000 + 400 * n) + ",  " +
               std::to_string(1200 + 400 * n) + ",  2";
    };
    auto cartello = [](int n) {
        return "cartello_indicatore,  " + std::to_string(1000 + 100 * n) + ",   (C)";
    };
    const caso casi[] = {
        {"no length line", righe_crlf({"[generale]", "sfondo uno, 1", "[curve]", "[fine]"}), 1},
        {"no length line, no geometry",
         righe_crlf({"[generale]", "[curve]", "pendenza, 100, 1", "[fine]"}), 0},
        {"length below -7000", sorgente_con({}, -7050), 0},
        {"length -7000 leaves no room for the first two metres", sorgente_con({}, -7000), 1},
        {"length -6975 leaves no cell 1 for the stamps", sorgente_con({}, -6975), 0},
        {"text in a numeric field",
         righe_crlf({"[generale]", "lunghezza percorso, lungo", "[fine]"}), 1},
        {"header record cut short by the end of the file",
         righe_crlf({"[generale]", "lunghezza percorso, 100", "progressiva chilometrica uno, 0"}),
         1},
        {"comment fields up to the end of the file",
         righe_crlf({"[generale]", "lunghezza percorso, 100", "-a-, -b-"}), 1},
        {"feature record cut short by the end of the file",
         righe_crlf({"[generale]", "lunghezza percorso, 100", "[curve]", "montagna, 100, 200"}), 1},
        {"range test overflowing 32 bits", sorgente_con({"pendenza,  2147483600,   1"}), 1},
        {"mountain below cell 0", sorgente_con({"montagna,  -500,  200,  2"}), 1},
        {"mountain end beyond the last cell", sorgente_con({"montagna,  6000,  8000,  2"}, 0), 1},
        {"81 mountains", sorgente_con(righe_da(81, montagna)), 1},
        {"indicator board below cell 0",
         sorgente_con({"indicatori_vmax,  -100,  90,  90,  90,  0,  ,  ,  ,  0"}), 1},
        {"indicator speed beyond 16 bits",
         sorgente_con({"indicatori_vmax,  1000,  1700,  90,  90,  0,  ,  ,  ,  0"}), 1},
        {"indication board below cell 0", sorgente_con({"cartello_indicatore,  -200,   (X)"}), 1},
        {"81 indication boards", sorgente_con(righe_da(81, cartello)), 1},
        {"curve ending beyond the geometry", sorgente_con({"curvad4,  6900,  200"}, 0), 1},
        // Each record writes at least one cell: six leave the cursor past cell 140.
        {"gradients that do not advance",
         sorgente_con(righe_da(6, [](int) { return std::string("pendenza,  6800,   1"); }), 0), 0},
    };
    for (const caso& c : casi) {
        SCOPED_TRACE(c.nome);
        stato = stato_run{};
        stato.cartella = cartella.percorso();
        stato.nome_scenario = "Prova";
        stato.numero_treno = "42";
        stato.scrivi_linea = c.scrivi_linea;
        stato.posizione_errore = posizione_iniziale;
        scrivi_sorgente_linea(c.sorgente);
        scrivi_sorgente_treno();

        EXPECT_THROW(leggi_sorgente_linea(stato), std::exception);

        scrivi_sorgente_linea(c.sorgente);
        stato.codice_errore = 0;
        memorizza_dati(stato);
        EXPECT_EQ(stato.codice_errore, 25) << stato.causa_guasto;
        EXPECT_EQ(stato.posizione_errore, posizione_iniziale);
        EXPECT_FALSE(stato.causa_guasto.empty());
        EXPECT_FALSE(std::filesystem::exists(sorgente_linea()));
        EXPECT_FALSE(std::filesystem::exists(sorgente_treno()));
    }
}

TEST_F(GuastiLinea, LimitiAppenaDentroSonoAccettati) {
    stato.scrivi_linea = 0;
    compila(sorgente_con({"montagna,  6000,  7050,  2",  // last cell 140
                          "curvad4,  6900,  100",        // skipped without geometry
                          "pendenza,  6800,   1", "pendenza,  6800,   2", "pendenza,  6800,   3",
                          "pendenza,  6800,   4", "pendenza,  6800,   5"},
                         0));
    EXPECT_EQ(stato.codice_errore, 0);
    EXPECT_EQ(stato.percorso[140].montagna, 2);
    // Five records leave the cursor at the last cell, which the completion writes.
    EXPECT_EQ(stato.percorso[139].pendenza, 104);
    EXPECT_EQ(stato.percorso[140].pendenza, 105);
}

// A fault stops the writing where it happens: the cells written before it stay, as a signal
// below 325 m keeps its own cell. Cells 0..140 (a line of 0 m).
TEST(MemoMontagna, FuoriDalleCelleLasciaLeCelleGiaScritte) {
    struct caso {
        const char* nome;
        std::int32_t inizio;
        std::int32_t fine;
        std::int32_t prima_scritta;  // -1: no cell written
    };
    const caso casi[] = {
        {"end beyond the last cell", 6000, 8000, 120},
        {"start below cell 0", -500, 200, -1},
    };
    for (const caso& c : casi) {
        SCOPED_TRACE(c.nome);
        stato_run stato;
        dimensiona_modello(stato, 0);
        ASSERT_EQ(stato.ultima_cella, 140);
        std::int32_t inizio = c.inizio;
        std::int32_t fine = c.fine;
        std::int32_t tipo = 12;  // kind 2 with a marker in every fourth cell
        EXPECT_THROW(memo_montagna(stato, inizio, fine, tipo), guasto_esecuzione);
        for (std::int32_t n = 0; n <= stato.ultima_cella; ++n) {
            const bool scritta = c.prima_scritta >= 0 && n >= c.prima_scritta;
            const bool marcatore = scritta && (n - c.prima_scritta + 1) % 4 == 0;
            EXPECT_EQ(stato.percorso[n].montagna, scritta ? 2 : 0) << "cella " << n;
            EXPECT_EQ(stato.percorso[n].tipo, marcatore ? tipo_cella::marcatore_montagna : 0)
                << "cella " << n;
        }
    }
}

TEST(MemoMontagna, MontagnaVuotaNonTocceNessunaCella) {
    stato_run stato;
    dimensiona_modello(stato, 0);
    std::int32_t inizio = 900000;
    std::int32_t fine = 900000;
    std::int32_t tipo = 12;
    EXPECT_NO_THROW(memo_montagna(stato, inizio, fine, tipo));
    EXPECT_EQ(stato.conta_montagne, 1);
}

// The speeds are packed and written in the row's order, after `tipo`: the pair that overflows 16
// bits stops the writing, the members before it stay in the cell.
TEST(MemoIndicatoriVMax, VelocitaOltre16BitLasciaIMembriPrecedenti) {
    struct caso {
        const char* nome;
        riga_indicatori_v_max riga;
        cella attesa;
    };
    // 90 km/h on the "s" side alone packs to 90·20 = 1800.
    const caso casi[] = {
        {"first speed", {1000, 1700, 90, 90, 1, 0, 0, 0, 2}, cella{6, 0, 0, 0, 0}},
        {"second speed", {1000, 90, 1700, 90, 1, 0, 0, 0, 2}, cella{6, 1800, 0, 0, 0}},
        {"third speed", {1000, 90, 90, 1639, 1, 0, 0, 20, 2}, cella{6, 1800, 1800, 0, 0}},
    };
    for (const caso& c : casi) {
        SCOPED_TRACE(c.nome);
        stato_run stato;
        dimensiona_modello(stato, 0);
        EXPECT_THROW(memo_indicatori_v_max(stato, c.riga), guasto_esecuzione);
        EXPECT_EQ(stato.percorso[21], c.attesa);
    }
}

TEST(MemoIndicatoriVMax, AppenaDentro16BitScriveTutto) {
    stato_run stato;
    dimensiona_modello(stato, 0);
    // 1638·20 + 35/5 = 32767 still fits.
    memo_indicatori_v_max(stato, {1000, 90, 90, 1638, 1, 0, 0, 35, 2});
    EXPECT_EQ(stato.percorso[21], (cella{6, 1800, 1800, 32767, 12}));
}

}  // namespace
}  // namespace scenario
