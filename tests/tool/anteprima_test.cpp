#include <gtest/gtest.h>

#include <cstdlib>
#include <nlohmann/json.hpp>

#include "banco_strumento.h"
#include "tool/compilazione_anteprima.h"
#include "tool/dati_anteprima.h"
#include "tool/diagnostica.h"
#include "tool/server_anteprima.h"
#include "tool/stato_anteprima.h"

namespace scenario {
namespace {

using prova::cartella_temporanea;
using prova::leggi_tutto;

const std::string linea = "Lerno_Castelbrum_Pusena_linea.txt";
const std::string treno = "Lerno_Castelbrum_Pusena_27364-.txt";

strumento::richiesta_compilazione richiesta(const std::filesystem::path& dir) {
    strumento::richiesta_compilazione r;
    r.sorgenti = dir;
    r.uscita = dir;
    r.nome_scenario = prova::scenario_incorporato;
    r.numero_treno = prova::treno_incorporato;
    return r;
}

std::vector<std::string> contenuto(const std::filesystem::path& dir) {
    std::vector<std::string> nomi;
    for (const auto& voce : std::filesystem::directory_iterator(dir)) {
        nomi.push_back(voce.path().filename().string());
    }
    std::sort(nomi.begin(), nomi.end());
    return nomi;
}

// The compilation runs in a private folder under TMPDIR: pointed at a folder of the test's own,
// it shows that nothing is left there and nothing is written beside the sources.
class Anteprima : public ::testing::Test {
  protected:
    void SetUp() override {
        const char* prima = std::getenv("TMPDIR");
        if (prima != nullptr) tmpdir_ = prima;
        std::filesystem::create_directory(temporanea_ / "tmp");
        setenv("TMPDIR", (temporanea_ / "tmp").c_str(), 1);
        prova::esporta_incorporate(sorgenti_.percorso());
    }
    void TearDown() override {
        if (tmpdir_) {
            setenv("TMPDIR", tmpdir_->c_str(), 1);
        } else {
            unsetenv("TMPDIR");
        }
    }
    std::filesystem::path tmp() const { return temporanea_ / "tmp"; }

    cartella_temporanea sorgenti_;
    cartella_temporanea temporanea_;
    std::optional<std::string> tmpdir_;
};

TEST_F(Anteprima, SorgentiPuliteNonScrivonoNullaENonLascianoCartelle) {
    std::string prima = leggi_tutto(sorgenti_ / treno);
    strumento::esito_anteprima esito =
        strumento::compila_anteprima(richiesta(sorgenti_.percorso()));
    EXPECT_TRUE(esito.pulita());
    ASSERT_TRUE(esito.scenario.has_value());
    EXPECT_EQ(esito.scenario->celle.size(), 1281u);
    EXPECT_TRUE(esito.scenario->geometria.has_value());
    EXPECT_EQ(contenuto(sorgenti_.percorso()), (std::vector<std::string>{treno, linea}));
    EXPECT_EQ(leggi_tutto(sorgenti_ / treno), prima);
    EXPECT_TRUE(contenuto(tmp()).empty());
}

TEST_F(Anteprima, UnCodiceRegistratoDiventaUnaDiagnosticaConPosizioneERiga) {
    prova::modifica(sorgenti_ / treno, "[codici]",
                    "segnale,    4150,   1, 4, 1,  0, 0,    2,  3,1,0, 0\r\n[codici]");
    strumento::esito_anteprima esito =
        strumento::compila_anteprima(richiesta(sorgenti_.percorso()));
    EXPECT_FALSE(esito.pulita());
    EXPECT_TRUE(esito.scenario.has_value());  // the files were written, the code recorded
    ASSERT_EQ(esito.diagnostiche.size(), 1u);
    const strumento::diagnostica& d = esito.diagnostiche[0];
    EXPECT_EQ(d.codice, 16);
    ASSERT_TRUE(d.posizione.has_value());
    EXPECT_EQ(*d.posizione, 4150);
    EXPECT_EQ(std::filesystem::path(d.file), sorgenti_ / treno);
    EXPECT_GT(d.riga, 0);
    EXPECT_EQ(d.colonna, 1);
    EXPECT_EQ(strumento::riga_diagnostica(d),
              d.file + ":" + std::to_string(d.riga) +
                  ":1: error: Errore 16: segnale su una cella non libera");
    EXPECT_TRUE(contenuto(tmp()).empty());
}

TEST_F(Anteprima, SorgenteMancanteNessunFile) {
    std::filesystem::remove(sorgenti_ / linea);
    strumento::esito_anteprima esito =
        strumento::compila_anteprima(richiesta(sorgenti_.percorso()));
    EXPECT_FALSE(esito.scenario.has_value());
    ASSERT_EQ(esito.diagnostiche.size(), 1u);
    EXPECT_EQ(esito.diagnostiche[0].codice, 101);
    EXPECT_FALSE(esito.diagnostiche[0].posizione.has_value());
}

// A source that stops compiling keeps the last good picture, marked stale; mended, it is live
// again. The page learns of each step from the version numbers.
TEST_F(Anteprima, LUltimaImmagineBuonaRestaSegnataComeVecchia) {
    strumento::stato_anteprima stato;
    EXPECT_EQ(stato.dati_json(), "{\"versione_dati\":0,\"scenario\":null}");

    stato.pubblica(strumento::compila_anteprima(richiesta(sorgenti_.percorso())));
    auto s1 = nlohmann::json::parse(stato.stato_json());
    EXPECT_EQ(s1["versione"], 1);
    EXPECT_EQ(s1["versione_dati"], 1);
    EXPECT_EQ(s1["stantio"], false);
    std::string buoni = stato.dati_json();

    prova::modifica(sorgenti_ / treno, "DORVANO", "DORVANO NUOVA");
    prova::modifica(sorgenti_ / treno, "[codici]",
                    "segnale,    4150,   1, 4, 1,  0, 0,    2,  3,1,0, 0\r\n[codici]");
    stato.pubblica(strumento::compila_anteprima(richiesta(sorgenti_.percorso())));
    auto s2 = nlohmann::json::parse(stato.stato_json());
    EXPECT_EQ(s2["versione"], 2);
    EXPECT_EQ(s2["versione_dati"], 1);
    EXPECT_EQ(s2["stantio"], true);
    ASSERT_EQ(s2["diagnostiche"].size(), 1u);
    EXPECT_EQ(s2["diagnostiche"][0]["codice"], 16);
    EXPECT_EQ(s2["diagnostiche"][0]["posizione"], 4150);
    EXPECT_EQ(stato.dati_json(), buoni);

    prova::modifica(sorgenti_ / treno,
                    "segnale,    4150,   1, 4, 1,  0, 0,    2,  3,1,0, 0\r\n[codici]", "[codici]");
    stato.pubblica(strumento::compila_anteprima(richiesta(sorgenti_.percorso())));
    auto s3 = nlohmann::json::parse(stato.stato_json());
    EXPECT_EQ(s3["versione_dati"], 3);
    EXPECT_EQ(s3["stantio"], false);
    EXPECT_NE(stato.dati_json().find("DORVANO NUOVA"), std::string::npos);
}

// The longest line allowed: the data stays compact (runs and sampled points, never one value
// per metre).
TEST_F(Anteprima, UnaLineaDiMilleChilometriRestaCompatta) {
    prova::modifica(sorgenti_ / linea, "lunghezza percorso,    57000",
                    "lunghezza percorso,    1000000");
    strumento::esito_anteprima esito =
        strumento::compila_anteprima(richiesta(sorgenti_.percorso()));
    ASSERT_TRUE(esito.pulita()) << (esito.diagnostiche.empty() ? ""
                                                               : esito.diagnostiche[0].messaggio);
    nlohmann::json j = strumento::json_scenario(*esito.scenario);
    EXPECT_EQ(j["lunghezza"], 1000000);
    EXPECT_EQ(j["celle"], 20141);
    EXPECT_LE(j["pianta"]["metri"].size(),
              static_cast<std::size_t>(strumento::punti_pianta_massimi) + 1);
    EXPECT_LT(j["profili"]["pendenza"].size(), 100u);
    EXPECT_LT(j.dump().size(), 1500000u);
}

TEST(ServerAnteprima, SoloIlProprioIndirizzoEPorta) {
    struct caso {
        const char* host;
        bool ammesso;
    };
    const caso casi[] = {
        {"127.0.0.1:8123", true},   {"localhost:8123", false},  {"127.0.0.1", false},
        {"127.0.0.1:8124", false},  {"esempio.it:8123", false}, {"", false},
        {"127.0.0.1:8123.", false}, {"[::1]:8123", false},      {"127.0.0.1:08123", false},
    };
    for (const caso& c : casi)
        EXPECT_EQ(strumento::host_ammesso(c.host, 8123), c.ammesso) << c.host;
}

TEST(ServerAnteprima, OpzioniSbagliateSonoErroriDUso) {
    for (const std::vector<std::string>& parole :
         {std::vector<std::string>{"serve", "dir", "--scenario", "S", "--train", "1", "--port",
                                   "0"},
          std::vector<std::string>{"serve", "dir", "--scenario", "S", "--train", "1", "--port",
                                   "70000"},
          std::vector<std::string>{"serve", "dir", "--scenario", "S"},
          std::vector<std::string>{"serve", "--scenario", "S", "--train", "1"},
          std::vector<std::string>{"serve", "dir", "--scenario", "../S", "--train", "1"}}) {
        prova::esito_strumento e = prova::strumento(parole);
        EXPECT_EQ(e.stato, 64) << parole.back();
    }
}

}  // namespace
}  // namespace scenario
