#include <gtest/gtest.h>

#include "banco_strumento.h"
#include "line/sorgente_linea.h"
#include "textfile/scrittore_testo.h"
#include "train/sorgente_treno.h"

namespace scenario {
namespace {

using prova::cartella_temporanea;
using prova::leggi_tutto;
using prova::scrivi_tutto;
using prova::strumento;

TEST(Sorgenti, ScriveLeSorgentiIncorporateComeIlProgrammaConINomiRichiesti) {
    cartella_temporanea dir;
    prova::esito_strumento e = strumento(
        {"sources", (dir / "nuovo").string(), "--scenario", "Mia_Linea", "--train", "101"});

    ASSERT_EQ(e.stato, 0) << e.errori;
    EXPECT_EQ(leggi_tutto(dir / "nuovo" / "Mia_Linea_linea.txt"),
              testo_da_elenco(elenco_sorgente_linea()));
    EXPECT_EQ(leggi_tutto(dir / "nuovo" / "Mia_Linea_101-.txt"),
              testo_da_elenco(elenco_sorgente_treno()));
}

TEST(Sorgenti, IlNomePredefinitoEQuelloDelloScenarioIncorporato) {
    cartella_temporanea dir;
    ASSERT_EQ(strumento({"sources", dir.percorso().string()}).stato, 0);
    EXPECT_TRUE(std::filesystem::exists(dir / "Lerno_Castelbrum_Pusena_linea.txt"));
    EXPECT_TRUE(std::filesystem::exists(dir / "Lerno_Castelbrum_Pusena_27364-.txt"));
}

TEST(Sorgenti, NonSovrascriveSenzaForceENonScriveNienteDelTutto) {
    cartella_temporanea dir;
    scrivi_tutto(dir / "Lerno_Castelbrum_Pusena_27364-.txt", "mio treno");
    prova::esito_strumento e = strumento({"sources", dir.percorso().string()});

    EXPECT_EQ(e.stato, 2);
    EXPECT_NE(e.errori.find("Lerno_Castelbrum_Pusena_27364-.txt already exists"), std::string::npos)
        << e.errori;
    EXPECT_EQ(leggi_tutto(dir / "Lerno_Castelbrum_Pusena_27364-.txt"), "mio treno");
    // Not even the file that was free: half a scenario is worse than none.
    EXPECT_FALSE(std::filesystem::exists(dir / "Lerno_Castelbrum_Pusena_linea.txt"));

    e = strumento({"sources", dir.percorso().string(), "--force"});
    EXPECT_EQ(e.stato, 0) << e.errori;
    EXPECT_EQ(leggi_tutto(dir / "Lerno_Castelbrum_Pusena_27364-.txt"),
              testo_da_elenco(elenco_sorgente_treno()));
}

}  // namespace
}  // namespace scenario
