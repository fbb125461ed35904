#include "output/timbri.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "model/punto.h"
#include "model/stato_run.h"

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
    EXPECT_EQ(applica_timbri(stato), 0);
    EXPECT_EQ(stato.punti[indice_punti::scenario].voce_7, 610);
    EXPECT_EQ(stato.percorso[1].dato1, 5121);
    EXPECT_EQ(stato.punti[indice_punti::scenario].orario, 33756);
    EXPECT_EQ(stato.percorso[1].dato2, 2546);
}

struct posto_occupato {
    const char* nome;
    std::function<void(stato_run&)> occupa;
    std::int32_t codice;
};

class TimbriPostoOccupato : public ::testing::TestWithParam<posto_occupato> {};

// The check gives its code, and nothing past it is stamped.
TEST_P(TimbriPostoOccupato, DaIlCodiceENonTimbraOltre) {
    const posto_occupato& p = GetParam();
    stato_run stato = modello_compilato();
    p.occupa(stato);
    stato_run prima = stato;

    EXPECT_EQ(applica_timbri(stato), p.codice);

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
                       [](stato_run& s) { s.punti[indice_punti::scenario].voce_7 = 1; }, 1250},
        posto_occupato{"dato1_della_cella_1", [](stato_run& s) { s.percorso[1].dato1 = -3; }, 1250},
        posto_occupato{"orario_della_scenario",
                       [](stato_run& s) { s.punti[indice_punti::scenario].orario = 7; }, 1251},
        posto_occupato{"dato2_della_cella_1", [](stato_run& s) { s.percorso[1].dato2 = 11; },
                       1251}),
    [](const ::testing::TestParamInfo<posto_occupato>& info) {
        return std::string(info.param.nome);
    });

}  // namespace
}  // namespace scenario
