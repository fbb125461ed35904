#include "output/passata_celle.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "model/cella.h"
#include "model/guasto.h"
#include "model/stato_run.h"

namespace scenario {
namespace {

using namespace tipo_cella;

struct voce {
    std::int32_t n;
    std::uint8_t tipo;
    std::int16_t dato1 = 0;
};

// A hand-built cell array: the cells `prima` are set, the pass runs, and every cell must then
// equal its starting value overwritten by `dopo` (so nothing else may change).
struct caso {
    const char* nome;
    std::int32_t ultima_cella;
    std::vector<voce> prima;
    std::vector<voce> dopo;
    std::int32_t codice = 0;
    std::int32_t posizione = 0;
};

voce punto(std::int32_t n) { return {n, punto_codice, 180}; }
voce rall(std::int32_t n, std::uint8_t tipo, std::int16_t v = 50) { return {n, tipo, v}; }
voce occupata(std::int32_t n) { return {n, indicatore_v_max, 0}; }
voce sg(std::int32_t n) { return {n, segnale, 0}; }

std::vector<cella> celle(std::int32_t ultima, const std::vector<voce>& a,
                         const std::vector<voce>& b = {}) {
    std::vector<cella> v(static_cast<std::size_t>(ultima) + 1);
    for (const auto* lista : {&a, &b}) {
        for (const voce& x : *lista) {
            cella& c = v.at(static_cast<std::size_t>(x.n));
            c.tipo = x.tipo;
            c.dato1 = x.dato1;
        }
    }
    return v;
}

void carica(stato_run& stato, const std::vector<cella>& v) {
    stato.percorso.dimensiona(v.size());
    stato.ultima_cella = static_cast<std::int32_t>(v.size()) - 1;
    for (std::size_t n = 0; n < v.size(); ++n) stato.percorso[static_cast<long long>(n)] = v[n];
}

std::string descrivi(const cella& c) {
    return "tipo " + std::to_string(c.tipo) + " dato1 " + std::to_string(c.dato1);
}

const std::vector<caso>& casi() {
    // s = slowdown start, e = its end, 50 km/h unless stated.
    static const std::vector<caso> tutti = {
        // Approach groups.
        {"inizio_in_cella_7_nessun_gruppo", 40, {rall(7, 3), rall(13, 2)}, {}},
        {"inizio_in_cella_8_solo_gruppo_1", 40, {rall(8, 3), rall(14, 2)}, {punto(3)}},
        {"inizio_in_cella_14_gruppi_1_e_2", 40, {rall(14, 3), rall(20, 2)}, {punto(9), punto(3)}},
        {"inizio_in_cella_21_tre_gruppi",
         40,
         {rall(21, 3), rall(27, 2)},
         {punto(16), punto(10), punto(3)}},
        {"prima_cella_libera_di_ogni_gruppo",
         60,
         {rall(30, 3), rall(36, 2), occupata(25), occupata(19), sg(18), {12, marcatore_montagna}},
         {punto(24), punto(17), punto(12)}},
        {"gruppo_tutto_occupato_codice_12_e_altri_gruppi_serviti",
         60,
         {rall(30, 3), rall(36, 2), occupata(25), sg(24), {23, cartello_indicazione}},
         {punto(19), punto(12)},
         12,
         1500},

        // Points inside the slowdown.
        {"rallentamento_di_300_m_nessun_punto_interno", 60, {rall(10, 3), rall(16, 2)}, {punto(5)}},
        {"rallentamento_di_1000_m_punti_a_s8_e_s16",
         60,
         {rall(10, 3), rall(30, 2)},
         {punto(5), punto(18), punto(26)}},
        {"segnale_in_s8_punto_in_s7_e_poi_in_s15",
         60,
         {rall(10, 3), rall(30, 2), sg(18)},
         {punto(5), punto(17), punto(25)}},
        {"s8_e_s7_occupate_punto_in_s9_e_poi_in_s17",
         60,
         {rall(10, 3), rall(30, 2), sg(18), occupata(17)},
         {punto(5), punto(19), punto(27)}},
        {"s7_s8_s9_occupate_codice_13_e_nessun_altro_punto",
         60,
         {rall(10, 3), rall(30, 2), occupata(17), sg(18), occupata(19)},
         {punto(5)},
         13,
         900},
        {"contatore_a_8_sulla_cella_di_fine_punto_prima",
         60,
         {rall(10, 3), rall(18, 2)},
         {punto(5), punto(17)}},
        {"contatore_a_8_sulla_fine_e_cella_prima_occupata_punto_dopo",
         60,
         {rall(10, 3), rall(18, 2), occupata(17)},
         {punto(5), punto(19)}},
        {"a_110_kmh_nessun_punto_interno", 60, {rall(10, 3, 110), rall(30, 2, 110)}, {punto(5)}},
        {"velocita_negativa_confronto_con_segno",
         60,
         {rall(10, 3, -1), rall(30, 2, -1)},
         {punto(5), punto(18), punto(26)}},

        // The point before the first signal after the end.
        {"segnale_in_e3_punto_in_e2",
         60,
         {rall(10, 3), rall(16, 2), sg(19), sg(22)},
         {punto(5), punto(18)}},
        {"segnale_in_e3_e2_occupata_punto_in_e1",
         60,
         {rall(10, 3), rall(16, 2), sg(19), occupata(18)},
         {punto(5), punto(17)}},
        {"segnale_in_e3_e2_e_e1_occupate_codice_13",
         60,
         {rall(10, 3), rall(16, 2), sg(19), occupata(18), occupata(17)},
         {punto(5)},
         13,
         800},
        {"segnale_in_e12_punto_in_e11",
         60,
         {rall(10, 3), rall(16, 2), sg(28)},
         {punto(5), punto(27)}},
        {"segnale_in_e13_nulla", 60, {rall(10, 3), rall(16, 2), sg(29)}, {punto(5)}},

        // Step A: signals on the approach side of a warning board.
        {"avviso_segnale_con_cella_prima_libera",
         60,
         {{30, avviso_rallentamento, 50}, sg(25)},
         {punto(24)}},
        {"avviso_cella_prima_occupata_punto_due_celle_prima",
         60,
         {{30, avviso_rallentamento, 50}, sg(25), occupata(24)},
         {punto(23)}},
        {"avviso_due_punti_codice_del_piu_vicino_abbassato",
         60,
         {{30, avviso_rallentamento, 50}, sg(25), {24, punto_codice, 270}, {23, punto_codice, 300}},
         {{24, punto_codice, 180}}},
        {"avviso_codice_piu_basso_di_180_invariato",
         60,
         {{30, avviso_rallentamento, 50}, sg(25), {24, punto_codice, 100}, {23, punto_codice, 300}},
         {}},
        {"avviso_codice_due_celle_prima_abbassato",
         60,
         {{30, avviso_rallentamento, 50}, sg(25), occupata(24), {23, punto_codice, 250}},
         {{23, punto_codice, 180}}},
        {"avviso_celle_libere_servite_prima_di_abbassare",
         60,
         {{30, avviso_rallentamento, 50}, sg(25), {24, punto_codice, 250}},
         {punto(23)}},
        {"avviso_nessun_posto_codice_11",
         60,
         {{30, avviso_rallentamento, 50}, sg(25), occupata(24), {23, punto_codice_nullo}},
         {},
         11,
         1250},
        {"avviso_ogni_segnale_entro_20_celle",
         60,
         {{30, avviso_rallentamento, 50}, sg(25), sg(10), sg(9)},
         {punto(24), punto(8)}},
        {"avviso_in_cella_22_guarda_fino_alla_cella_3",
         60,
         {{22, avviso_rallentamento, 50}, sg(3)},
         {punto(2)}},
        {"avviso_in_cella_22_ignora_la_cella_2", 60, {{22, avviso_rallentamento, 50}, sg(2)}, {}},

        // Slowdowns of 110 km/h or more: B.3 counts from the end cell.
        {"rallentamento_a_120_kmh",
         70,
         {rall(25, 3, 120), rall(45, 2, 120), sg(48)},
         {punto(20), punto(14), punto(7), punto(47)}},
        {"rallentamento_a_120_kmh_segnale_oltre_e12",
         70,
         {rall(25, 3, 120), rall(45, 2, 120), sg(58)},
         {punto(20), punto(14), punto(7)}},

        // The end of the cells.
        {"fine_nell_ultima_cella_nessun_posto_codice_13",
         40,
         {rall(32, 3), rall(40, 2), occupata(39)},
         {punto(27), punto(21), punto(14)},
         13,
         2000},
        {"ricerca_dopo_la_fine_si_ferma_all_ultima_cella",
         40,
         {rall(30, 3), rall(36, 2)},
         {punto(25), punto(19), punto(12)}},
        {"inizio_senza_fine_solo_gruppi",
         60,
         {rall(30, 3), sg(40)},
         {punto(25), punto(19), punto(12)}},

        // A later code overwrites an earlier one.
        {"codice_12_poi_13",
         60,
         {rall(10, 3), rall(16, 2), occupata(5), occupata(4), occupata(3), sg(19), occupata(18),
          occupata(17)},
         {},
         13,
         800},

        // The slowdown of the built-in scenario.
        {"rallentamento_dello_scenario",
         1280,
         {{405, avviso_rallentamento, 50},
          {404, preavviso_avviso, 1},
          {403, preavviso_avviso, 2},
          {402, preavviso_avviso, 3},
          {401, preavviso_avviso, 4},
          rall(429, 3),
          rall(435, 2),
          sg(84),
          sg(581)},
         {punto(424), punto(418), punto(411)}},
    };
    return tutti;
}

class PassataCelle : public ::testing::TestWithParam<caso> {};

TEST_P(PassataCelle, AggiungeSoloIPuntiAttesi) {
    const caso& c = GetParam();
    stato_run stato;
    carica(stato, celle(c.ultima_cella, c.prima));
    passata_celle(stato);

    std::vector<cella> attese = celle(c.ultima_cella, c.prima, c.dopo);
    ASSERT_EQ(stato.percorso.size(), attese.size());
    for (std::size_t n = 0; n < attese.size(); ++n) {
        const cella& trovata = stato.percorso[static_cast<long long>(n)];
        EXPECT_EQ(trovata, attese[n])
            << "cella " << n << ": " << descrivi(trovata) << ", attesa " << descrivi(attese[n]);
    }
    EXPECT_EQ(stato.codice_errore, c.codice);
    EXPECT_EQ(stato.posizione_errore, c.posizione);
}

INSTANTIATE_TEST_SUITE_P(Casi, PassataCelle, ::testing::ValuesIn(casi()),
                         [](const ::testing::TestParamInfo<caso>& info) {
                             return std::string(info.param.nome);
                         });

// A mark changes only the type and the first value: the scenery of a mountain marker stays.
TEST(PassataCelleMarcatura, LasciaGliAltriCampiDellaCella) {
    stato_run stato;
    carica(stato, celle(40, {rall(21, 3), rall(27, 2)}));
    cella& montagna = stato.percorso[16];
    montagna.tipo = marcatore_montagna;
    montagna.montagna = 3;
    montagna.pendenza = 90;
    montagna.velocita = 20;
    passata_celle(stato);
    EXPECT_EQ(stato.percorso[16].tipo, punto_codice);
    EXPECT_EQ(stato.percorso[16].dato1, 180);
    EXPECT_EQ(stato.percorso[16].montagna, 3);
    EXPECT_EQ(stato.percorso[16].pendenza, 90);
    EXPECT_EQ(stato.percorso[16].velocita, 20);
}

// Codes of the pass are not tied to the last source record the compiler read.
TEST(PassataCelleErrori, NonPortanoIlLuogoDellUltimaSorgente) {
    stato_run stato;
    carica(stato, celle(60, {{30, avviso_rallentamento, 50}, sg(25), occupata(24), occupata(23)}));
    stato.luogo_corrente = {"scenario_linea.txt", 12, 4};
    passata_celle(stato);
    EXPECT_EQ(stato.codice_errore, 11);
    EXPECT_TRUE(stato.luogo_errore.file.empty());
}

// A cell array smaller than `ultima_cella` says is a fault, never a read outside it.
TEST(PassataCelleErrori, UltimaCellaOltreLArrayEUnGuasto) {
    stato_run stato;
    carica(stato, celle(40, {rall(30, 3)}));
    stato.ultima_cella = 50;
    EXPECT_THROW(passata_celle(stato), guasto_esecuzione);
}

}  // namespace
}  // namespace scenario
