#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "model/punto.h"
#include "model/stato_run.h"
#include "output/timbri.h"
#include "run/errore.h"
#include "support/piattaforma_registrata.h"

namespace scenario {
namespace {

stato_run modello_compilato() {
    stato_run stato;
    dimensiona_modello(stato, 0);
    stato.punti[indice_punti::ripetizione].nome = "abc";
    return stato;
}

TEST(Timbri, TimbriECodiciGaraNeiLoroPosti) {
    stato_run stato = modello_compilato();
    prova::piattaforma_registrata schermo;
    applica_timbri(stato, schermo);
    EXPECT_TRUE(schermo.messaggi.empty());
    EXPECT_EQ(stato.punti[indice_punti::scenario].voce_7, 610);
    EXPECT_EQ(stato.percorso[1].dato1, 5121);
    EXPECT_EQ(stato.punti[indice_punti::scenario].orario, 33756);
    EXPECT_EQ(stato.percorso[1].dato2, 2546);
}

struct posto_occupato {
    const char* nome;
    std::function<void(stato_run&)> occupa;
    const char* messaggio;
    std::int32_t codice;
};

class TimbriPostoOccupato : public ::testing::TestWithParam<posto_occupato> {};

// The message is shown, the program ends, and nothing past the failing check is stamped.
TEST_P(TimbriPostoOccupato, MostraIlCodiceEFinisce) {
    const posto_occupato& p = GetParam();
    stato_run stato = modello_compilato();
    p.occupa(stato);
    stato_run prima = stato;
    prova::piattaforma_registrata schermo;

    try {
        applica_timbri(stato, schermo);
        FAIL() << "il programma doveva finire";
    } catch (const fine_programma& fine) {
        EXPECT_EQ(fine.codice, p.codice);
    }
    ASSERT_EQ(schermo.messaggi.size(), 1u);
    EXPECT_EQ(schermo.messaggi[0], p.messaggio);
    EXPECT_EQ(stato.risposta, pulsante_ok);

    const punto& scenario = stato.punti[indice_punti::scenario];
    const punto& scenario_prima = prima.punti[indice_punti::scenario];
    if (p.codice == 1250) {
        EXPECT_EQ(scenario.voce_7, scenario_prima.voce_7);
        EXPECT_EQ(stato.percorso[1].dato1, prima.percorso[1].dato1);
    } else {
        // The first stamps come before the second check.
        EXPECT_EQ(scenario.voce_7, 610);
        EXPECT_EQ(stato.percorso[1].dato1, 5121);
    }
    EXPECT_EQ(scenario.orario, scenario_prima.orario);
    EXPECT_EQ(stato.percorso[1].dato2, prima.percorso[1].dato2);
}

INSTANTIATE_TEST_SUITE_P(
    Casi, TimbriPostoOccupato,
    ::testing::Values(
        posto_occupato{"voce_7_della_scenario",
                       [](stato_run& s) { s.punti[indice_punti::scenario].voce_7 = 1; },
                       " Errore n. 1250", 1250},
        posto_occupato{"dato1_della_cella_1", [](stato_run& s) { s.percorso[1].dato1 = -3; },
                       " Errore n. 1250", 1250},
        posto_occupato{"orario_della_scenario",
                       [](stato_run& s) { s.punti[indice_punti::scenario].orario = 7; },
                       " Errore n. 1251", 1251},
        posto_occupato{"dato2_della_cella_1", [](stato_run& s) { s.percorso[1].dato2 = 11; },
                       " Errore n. 1251", 1251}),
    [](const ::testing::TestParamInfo<posto_occupato>& info) { return std::string(info.param.nome); });

}  // namespace
}  // namespace scenario
