#include "documents/documenti.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "documents/righe_documento.h"
#include "support/cartella_temporanea.h"
#include "textfile/scrittore_testo.h"

namespace scenario {
namespace {

// What the three crew documents share: constant text, a file named after the scenario and the
// train, replaced whole on every run.
struct documento {
    const char* nome;
    void (*scrivi)(const stato_run&);
    std::vector<std::string> (*elenco)();
    std::size_t righe;
    const char* coda_file;  // the file name after nome_scenario "_" numero_treno; also the
                            // golden copy's name in attesi/
};

class Documento : public ::testing::TestWithParam<documento> {
  protected:
    stato_run stato(const std::string& scenario, const std::string& treno) const {
        stato_run s;
        s.nome_scenario = scenario;
        s.numero_treno = treno;
        s.cartella = cartella.percorso();
        return s;
    }

    std::filesystem::path file(const std::string& scenario, const std::string& treno) const {
        return cartella / (scenario + "_" + treno + "_" + GetParam().coda_file);
    }

    prova::cartella_temporanea cartella;
};

TEST_P(Documento, FileNameFollowsTheIdentityTextDoesNot) {
    const documento& d = GetParam();
    d.scrivi(stato("Lerno_Castelbrum_Pusena", "27364"));
    d.scrivi(stato("Altra linea", "9"));

    const std::string primo = prova::leggi_tutto(file("Lerno_Castelbrum_Pusena", "27364"));
    EXPECT_EQ(primo, testo_da_elenco(d.elenco()));
    EXPECT_EQ(prova::leggi_tutto(file("Altra linea", "9")), primo);
    // Nothing else is left behind in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(cartella.percorso()),
                            std::filesystem::directory_iterator()),
              2);
}

// The document is its bytes: compared once, whole, with the copy the program has always written.
TEST_P(Documento, IsByteForByteTheGoldenCopy) {
    const documento& d = GetParam();
    d.scrivi(stato("Lerno_Castelbrum_Pusena", "27364"));
    const std::string atteso = prova::leggi_tutto(std::filesystem::path(CARTELLA_PROVE) /
                                                  "documents" / "attesi" / d.coda_file);
    EXPECT_EQ(prova::leggi_tutto(file("Lerno_Castelbrum_Pusena", "27364")), atteso);
}

TEST_P(Documento, ReplacesALongerFileWhole) {
    const documento& d = GetParam();
    const std::filesystem::path bersaglio = file("Lerno_Castelbrum_Pusena", "27364");
    prova::scrivi_tutto(bersaglio, std::string(100000, 'x') + "\r\n");

    d.scrivi(stato("Lerno_Castelbrum_Pusena", "27364"));
    EXPECT_EQ(prova::leggi_tutto(bersaglio), testo_da_elenco(d.elenco()));
}

TEST_P(Documento, WritesEveryLineWithCrLfAndNeverTheMarker) {
    const documento& d = GetParam();
    d.scrivi(stato("Lerno_Castelbrum_Pusena", "27364"));

    const std::string byte = prova::leggi_tutto(file("Lerno_Castelbrum_Pusena", "27364"));
    EXPECT_EQ(byte.find(marcatore_fine), std::string::npos);
    EXPECT_EQ(prova::dividi_crlf(byte).size(), d.righe);
    EXPECT_EQ(prova::righe_documento(d.elenco()).size(), d.righe);
}

INSTANTIATE_TEST_SUITE_P(
    TreDocumenti, Documento,
    ::testing::Values(documento{"Note", dati_note, elenco_note, 34, "note.txt"},
                      documento{"Rallentamenti", dati_rallentamenti, elenco_rallentamenti, 46,
                                "rallentamenti.txt"},
                      documento{"Scheda", dati_scheda, elenco_scheda, 55, "scheda_treno.txt"}),
    [](const auto& info) { return std::string(info.param.nome); });

}  // namespace
}  // namespace scenario
