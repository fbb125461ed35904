#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <vector>

#include "model/nomi_file.h"
#include "output/file_binari.h"
#include "run/form_load.h"
#include "support/cartella_temporanea.h"
#include "support/piattaforma_registrata.h"

namespace scenario {
namespace {

using prova::cartella_temporanea;
using prova::leggi_tutto;

std::int32_t intero_le(const std::string& dati, std::size_t pos, int byte) {
    std::uint32_t v = 0;
    for (int b = byte - 1; b >= 0; --b) {
        v = (v << 8) | static_cast<unsigned char>(dati.at(pos + static_cast<std::size_t>(b)));
    }
    return byte == 2 ? static_cast<std::int16_t>(v) : static_cast<std::int32_t>(v);
}

struct cella_letta {
    int tipo;
    int dato1;
    int dato2;
};

// The finished scenario as the simulator loads it: the whole run in a fresh folder, then the
// ".dat" and ".sim" read back byte by byte.
class ScenarioIncorporato : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        cartella = new cartella_temporanea;
        stato = new stato_run;
        prova::piattaforma_registrata schermo;
        esito = Form_Load(*stato, schermo, cartella->percorso());
        dat = leggi_tutto(*cartella / nome_file_dat(*stato));
        sim = leggi_tutto(*cartella / nome_file_sim(*stato));
    }
    static void TearDownTestSuite() {
        delete stato;
        delete cartella;
    }

    static cella_letta cella_n(int n) {
        std::size_t pos = 15 * static_cast<std::size_t>(n);
        return {static_cast<unsigned char>(dat.at(pos)), intero_le(dat, pos + 1, 2),
                intero_le(dat, pos + 3, 2)};
    }
    static std::map<int, std::vector<int>> celle_per_tipo() {
        std::map<int, std::vector<int>> tipi;
        for (int n = 0; n < static_cast<int>(dat.size() / 15); ++n) tipi[cella_n(n).tipo].push_back(n);
        return tipi;
    }
    // Record `indice` of the ".sim": name, voce_7 and orario.
    static std::tuple<std::string, int, int> record(int indice) {
        std::size_t pos = 0;
        for (int r = 0;; ++r) {
            auto n = static_cast<std::size_t>(intero_le(sim, pos + 14, 2));
            if (r == indice) {
                return {sim.substr(pos + 16, n), intero_le(sim, pos + 16 + n, 2),
                        intero_le(sim, pos + 30 + n, 4)};
            }
            pos += 34 + n;
        }
    }

    static cartella_temporanea* cartella;
    static stato_run* stato;
    static esito_run esito;
    static std::string dat;
    static std::string sim;
};

cartella_temporanea* ScenarioIncorporato::cartella = nullptr;
stato_run* ScenarioIncorporato::stato = nullptr;
esito_run ScenarioIncorporato::esito;
std::string ScenarioIncorporato::dat;
std::string ScenarioIncorporato::sim;

TEST_F(ScenarioIncorporato, CompilaSenzaCodiciEIFileSonoIlModello) {
    EXPECT_EQ(esito.come, esito_run::fine::completata) << esito.diagnosi;
    EXPECT_EQ(stato->codice_errore, 0);
    EXPECT_EQ(dat, byte_percorso(*stato));
    EXPECT_EQ(sim, byte_punti(*stato));
    EXPECT_EQ(leggi_tutto(*cartella / nome_file_linea(*stato)), byte_profilo_linea(*stato));
}

TEST_F(ScenarioIncorporato, LaPassataAggiungeEsattamenteTrePuntiCodice) {
    auto tipi = celle_per_tipo();
    EXPECT_EQ(tipi[12], (std::vector<int>{411, 418, 424}));
    for (int n : tipi[12]) EXPECT_EQ(cella_n(n).dato1, 180) << n;
    EXPECT_TRUE(tipi[13].empty());
}

TEST_F(ScenarioIncorporato, SegnaliRallentamentoEFermateNelleLoroCelle) {
    auto tipi = celle_per_tipo();
    EXPECT_EQ(tipi[1], (std::vector<int>{31, 57, 84, 109, 130, 151, 229, 250, 332, 357, 557, 581,
                                         768, 789, 1012, 1037}));
    EXPECT_EQ(tipi[10], (std::vector<int>{7, 170, 272, 382, 600, 807, 1063}));
    EXPECT_EQ(tipi[4], (std::vector<int>{405}));
    EXPECT_EQ(tipi[5], (std::vector<int>{401, 402, 403, 404}));
    EXPECT_EQ(tipi[3], (std::vector<int>{429}));
    EXPECT_EQ(tipi[2], (std::vector<int>{435}));
    EXPECT_EQ(tipi[6].size(), 13u);
    EXPECT_EQ(tipi[14].size(), 24u);
    EXPECT_EQ(cella_n(84).dato1, 43);
    EXPECT_EQ(cella_n(84).dato2, 11);
}

TEST_F(ScenarioIncorporato, TimbriECodiciDiGara) {
    EXPECT_EQ(cella_n(1).dato1, 5121);
    EXPECT_EQ(cella_n(1).dato2, 2414);
    auto [nome_85, voce_7, orario] = record(85);
    EXPECT_EQ(nome_85, "Lerno_Castelbrum_Pusena");
    EXPECT_EQ(voce_7, 610);
    EXPECT_EQ(orario, 34360);
    EXPECT_EQ(std::get<0>(record(86)), "27364");
    EXPECT_EQ(std::get<0>(record(2)), "2\xB0 bivio LERNO NORD");
    EXPECT_EQ(std::get<0>(record(80)), "(DEV. U.)");
}

}  // namespace
}  // namespace scenario
