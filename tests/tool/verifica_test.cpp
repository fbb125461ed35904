#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "banco_strumento.h"

namespace scenario {
namespace {

using prova::cartella_temporanea;
using prova::strumento;

const std::string sorgente_linea = "Lerno_Castelbrum_Pusena_linea.txt";
const std::string sorgente_treno = "Lerno_Castelbrum_Pusena_27364-.txt";

std::vector<std::string> verifica(const std::filesystem::path& dir,
                                  std::vector<std::string> altre = {}) {
    std::vector<std::string> parole = {"check",      dir.string(),
                                       "--scenario", prova::scenario_incorporato,
                                       "--train",    prova::treno_incorporato};
    parole.insert(parole.end(), altre.begin(), altre.end());
    return parole;
}

// A typo (warning) and a signal on a signal (error 16) in the built-in sources.
void con_due_sbagli(const std::filesystem::path& dir) {
    prova::esporta_incorporate(dir);
    prova::modifica(dir / sorgente_linea, "pendenza,  19300", "pendnza,  19300");
    prova::modifica(dir / sorgente_treno, "segnale,    2800,", "segnale,    1500,");
}

TEST(Verifica, GliStatiDUscita) {
    cartella_temporanea pulita;
    prova::esporta_incorporate(pulita.percorso());
    prova::esito_strumento e = strumento(verifica(pulita.percorso()));
    EXPECT_EQ(e.stato, 0) << e.errori;
    EXPECT_EQ(e.uscita, "");

    cartella_temporanea solo_avviso;
    prova::esporta_incorporate(solo_avviso.percorso());
    prova::modifica(solo_avviso.percorso() / sorgente_linea, "pendenza,  19300", "pendnza,  19300");
    EXPECT_EQ(strumento(verifica(solo_avviso.percorso())).stato, 0);

    cartella_temporanea sbagliata;
    con_due_sbagli(sbagliata.percorso());
    EXPECT_EQ(strumento(verifica(sbagliata.percorso())).stato, 1);

    cartella_temporanea senza_treno;
    prova::esporta_incorporate(senza_treno.percorso());
    std::filesystem::remove(senza_treno.percorso() / sorgente_treno);
    e = strumento(verifica(senza_treno.percorso()));
    EXPECT_EQ(e.stato, 2);
    EXPECT_NE(e.errori.find(sorgente_treno), std::string::npos) << e.errori;

    EXPECT_EQ(strumento(verifica(pulita.percorso(), {"--format", "xml"})).stato, 64);
    EXPECT_EQ(strumento({"check", pulita.percorso().string(), "--train", "1"}).stato, 64);
}

TEST(Verifica, IlFormatoGccDaUnaRigaPerDiagnosticaComeLaLeggonoGliEditor) {
    cartella_temporanea dir;
    con_due_sbagli(dir.percorso());
    prova::esito_strumento e = strumento(verifica(dir.percorso(), {"--format", "gcc"}));
    const std::string d = dir.percorso().string() + "/";
    EXPECT_NE(e.uscita.find(d + sorgente_linea +
                            ":63:1: warning: \"pendnza\" is not a record "
                            "keyword"),
              std::string::npos)
        << e.uscita;
    EXPECT_NE(e.uscita.find("did you mean \"pendenza\"? [unknown-record]\n"), std::string::npos)
        << e.uscita;
    EXPECT_NE(e.uscita.find(d + sorgente_treno +
                            ":40:13: error: segnale su una cella non libera (segnale, field "
                            "\"posizione\") (at 1500 m) [code 16]\n"),
              std::string::npos)
        << e.uscita;
    EXPECT_NE(e.uscita.find(d + sorgente_treno +
                            ":39:1: note: cell 31 (1550 m) is taken by the "
                            "signal written here\n"),
              std::string::npos)
        << e.uscita;
}

TEST(Verifica, IlFormatoTestoMostraLaRigaConUnCursoreSottoLaColonna) {
    cartella_temporanea dir;
    con_due_sbagli(dir.percorso());
    prova::esito_strumento e = strumento(verifica(dir.percorso()));
    EXPECT_NE(e.uscita.find("error [code 16]: Errore 16: segnale su una cella non libera"),
              std::string::npos)
        << e.uscita;
    EXPECT_NE(e.uscita.find("  40 | segnale,    1500,   1, 4, 0,  0, 0,    0,  0,0,0, 0\n"
                            "     |             ^\n"),
              std::string::npos)
        << e.uscita;
}

TEST(Verifica, IlFormatoJsonEUnSoloOggetto) {
    cartella_temporanea dir;
    con_due_sbagli(dir.percorso());
    prova::esito_strumento e = strumento(verifica(dir.percorso(), {"--format", "json"}));
    ASSERT_FALSE(e.uscita.empty());
    EXPECT_EQ(e.uscita.front(), '{');
    EXPECT_EQ(e.uscita.substr(e.uscita.size() - 3), "]}\n");
    EXPECT_NE(e.uscita.find("{\"errors\":1,\"warnings\":1,\"diagnostics\":["), std::string::npos);
    EXPECT_NE(e.uscita.find("\"severity\":\"error\",\"code\":16,\"name\":null,"), std::string::npos)
        << e.uscita;
    EXPECT_NE(e.uscita.find("\"line\":40,\"column\":13,\"position\":1500,"), std::string::npos)
        << e.uscita;
    EXPECT_NE(e.uscita.find("\"severity\":\"warning\",\"code\":null,\"name\":\"unknown-record\""),
              std::string::npos)
        << e.uscita;
}

// compile tells the warnings on standard error and keeps its status and its files.
TEST(Verifica, CompileStampaGliAvvisiSenzaCambiareStato) {
    cartella_temporanea dir;
    prova::esporta_incorporate(dir.percorso());
    prova::modifica(dir.percorso() / sorgente_linea, "pendenza,  19300", "pendnza,  19300");
    prova::esito_strumento e =
        strumento({"compile", dir.percorso().string(), "--scenario", prova::scenario_incorporato,
                   "--train", prova::treno_incorporato});
    EXPECT_EQ(e.stato, 0) << e.errori;
    EXPECT_EQ(e.uscita, "");
    EXPECT_NE(e.errori.find("warning [unknown-record]: \"pendnza\""), std::string::npos)
        << e.errori;
}

}  // namespace
}  // namespace scenario
