#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <vector>

#include "model/nomi_file.h"
#include "output/file_binari.h"
#include "output/lettura_formato.h"
#include "run/form_load.h"
#include "support/cartella_temporanea.h"
#include "support/impronta.h"
#include "support/piattaforma_registrata.h"

namespace scenario {
namespace {

using prova::cartella_temporanea;
using prova::leggi_tutto;

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
        celle = formato::decodifica_celle(dat);
        punti = formato::decodifica_punti(sim);
    }
    static void TearDownTestSuite() {
        delete stato;
        delete cartella;
    }

    static const cella& cella_n(int n) { return celle.at(static_cast<std::size_t>(n)); }
    static std::map<int, std::vector<int>> celle_per_tipo() {
        std::map<int, std::vector<int>> tipi;
        for (std::size_t n = 0; n < celle.size(); ++n) {
            tipi[celle[n].tipo].push_back(static_cast<int>(n));
        }
        return tipi;
    }
    static const punto& record(int indice) { return punti.at(static_cast<std::size_t>(indice)); }

    static cartella_temporanea* cartella;
    static stato_run* stato;
    static esito_run esito;
    static std::string dat;
    static std::string sim;
    static std::vector<cella> celle;
    static std::vector<punto> punti;
};

cartella_temporanea* ScenarioIncorporato::cartella = nullptr;
stato_run* ScenarioIncorporato::stato = nullptr;
esito_run ScenarioIncorporato::esito;
std::string ScenarioIncorporato::dat;
std::string ScenarioIncorporato::sim;
std::vector<cella> ScenarioIncorporato::celle;
std::vector<punto> ScenarioIncorporato::punti;

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
    EXPECT_EQ(record(85).nome, "Lerno_Castelbrum_Pusena");
    EXPECT_EQ(record(85).voce_7, 610);
    EXPECT_EQ(record(85).orario, 34360);
    EXPECT_EQ(record(86).nome, "27364");
    EXPECT_EQ(record(2).nome, "2\xB0 bivio LERNO NORD");
    EXPECT_EQ(record(80).nome, "(DEV. U.)");
}

// The six files byte for byte as the program has always written them. A writer and a reader that
// share a wrong constant still agree with each other; these sums do not. A change to any of the
// files must show up here, and be meant.
TEST_F(ScenarioIncorporato, ISeiFileHannoLeImpronteDiSempre) {
    const std::map<std::string, std::string> attese = {
        {"Lerno_Castelbrum_Pusena_27364.dat",
         "e56644460fc1a9b2bc7ccc9ee3403d50c57270135122e121177270705a5f40eb"},
        {"Lerno_Castelbrum_Pusena_27364.sim",
         "dd3195172b727324f8e55a9f16a65c2cd4fc8fea950446e0d2ccb2db24caf45f"},
        {"Lerno_Castelbrum_Pusena_27364_note.txt",
         "7287c8b37d2665130e8967cb22e975059ae7747fbb23adfe298d953e84dc0fc2"},
        {"Lerno_Castelbrum_Pusena_27364_rallentamenti.txt",
         "c98a2464d1f5667b7ec62ccaf3a8233b9aed835dd6c01c101be575741c7c9ef8"},
        {"Lerno_Castelbrum_Pusena_27364_scheda_treno.txt",
         "0e3191c612f10ec11064bfae61d94c396ca97b574a94863f7d7e044876032db2"},
        {"Lerno_Castelbrum_Pusena_linea.dat",
         "416280c55efbba9c8dbee76f9420f6707d4b1d9f9c0d5de00fbac5ad16a9b9a6"},
    };
    std::map<std::string, std::string> trovate;
    for (const auto& voce : std::filesystem::directory_iterator(cartella->percorso())) {
        trovate[voce.path().filename().string()] = prova::sha256(voce.path());
    }
    EXPECT_EQ(trovate, attese);
}

}  // namespace
}  // namespace scenario
