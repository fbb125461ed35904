#include "output/timbri.h"

#include "model/numeri.h"
#include "model/punto.h"

namespace scenario {

namespace {
constexpr std::int16_t timbro_scenario = 610;
constexpr std::int16_t timbro_cella = 5121;
}  // namespace

std::int32_t applica_timbri(stato_run& stato) {
    punto& scenario = stato.punti[indice_punti::scenario];
    cella& prima = stato.percorso[1];

    // The stamp places must be unused: a compiled feature there would be lost under the stamp.
    if (scenario.voce_7 != 0 || prima.dato1 != 0) return 1250;
    scenario.voce_7 = timbro_scenario;
    prima.dato1 = timbro_cella;

    if (scenario.orario != 0 || prima.dato2 != 0) return 1251;
    scenario.orario = codice_gara_st(stato);
    prima.dato2 = stretto<std::int16_t>(codice_gara_og(stato), "codice_gara_og");
    return 0;
}

}  // namespace scenario
