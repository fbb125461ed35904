#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "model/nomi_file.h"
#include "run/form_load.h"
#include "support/cartella_temporanea.h"
#include "support/piattaforma_registrata.h"

namespace scenario {
namespace {

using prova::cartella_temporanea;
using prova::leggi_tutto;
using prova::piattaforma_registrata;

const char* const file_prodotti[] = {
    "Lerno_Castelbrum_Pusena_27364_note.txt",
    "Lerno_Castelbrum_Pusena_27364_rallentamenti.txt",
    "Lerno_Castelbrum_Pusena_27364_scheda_treno.txt",
    "Lerno_Castelbrum_Pusena_linea.dat",
    "Lerno_Castelbrum_Pusena_27364.sim",
    "Lerno_Castelbrum_Pusena_27364.dat",
};
const char* const sorgenti[] = {"Lerno_Castelbrum_Pusena_linea.txt",
                                "Lerno_Castelbrum_Pusena_27364-.txt"};

TEST(Generazione, LaRunCompletaScriveOgniFileEDistruggeLeSorgenti) {
    cartella_temporanea cartella;
    stato_run stato;
    piattaforma_registrata schermo;
    esito_run esito = Form_Load(stato, schermo, cartella.percorso());

    EXPECT_EQ(schermo.attese, 1);
    EXPECT_TRUE(schermo.messaggi.empty());
    EXPECT_EQ(esito.come, esito_run::fine::completata) << esito.diagnosi;
    EXPECT_EQ(stato_uscita(esito), 0);
    EXPECT_EQ(stato.codice_errore, 0);
    for (const char* nome : file_prodotti) {
        EXPECT_TRUE(std::filesystem::exists(cartella / nome)) << nome;
    }
    for (const char* nome : sorgenti) {
        EXPECT_FALSE(std::filesystem::exists(cartella / nome)) << nome;
    }
    EXPECT_EQ(std::filesystem::file_size(cartella / "Lerno_Castelbrum_Pusena_27364.dat"), 19215u);
    EXPECT_EQ(std::filesystem::file_size(cartella / "Lerno_Castelbrum_Pusena_linea.dat"), 1279964u);
}

TEST(Generazione, CartellaNonScrivibileEGuastoCheNominaIlFile) {
    cartella_temporanea cartella;
    stato_run stato;
    piattaforma_registrata schermo;
    esito_run esito = Form_Load(stato, schermo, cartella / "non_esiste");
    EXPECT_EQ(esito.come, esito_run::fine::guasto);
    EXPECT_EQ(stato_uscita(esito), 3);
    EXPECT_NE(esito.diagnosi.find("non_esiste"), std::string::npos) << esito.diagnosi;
}

// The real executable, headless, copied into a fresh folder: its files appear next to it.
class EseguibileReale : public ::testing::Test {
  protected:
    int esegui() {
        std::string comando =
            "cd '" + cartella.percorso().string() + "' && env -u DISPLAY ./programma 2> errori.txt";
        int stato = std::system(comando.c_str());
        return WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
    }
    void SetUp() override {
        std::filesystem::copy_file(ESEGUIBILE_PROGRAMMA, cartella / "programma");
    }
    cartella_temporanea cartella;
};

TEST_F(EseguibileReale, ScriveIFileAccantoASeEUnaSecondaRunDaGliStessiByte) {
    ASSERT_EQ(esegui(), 0) << leggi_tutto(cartella / "errori.txt");
    EXPECT_EQ(leggi_tutto(cartella / "errori.txt"), "");
    std::vector<std::string> prima;
    for (const char* nome : file_prodotti) prima.push_back(leggi_tutto(cartella / nome));
    for (const char* nome : sorgenti) EXPECT_FALSE(std::filesystem::exists(cartella / nome));

    ASSERT_EQ(esegui(), 0);
    for (std::size_t n = 0; n < prima.size(); ++n) {
        EXPECT_EQ(leggi_tutto(cartella / file_prodotti[n]), prima[n]) << file_prodotti[n];
    }
}

TEST_F(EseguibileReale, FileBloccatoDaUnaCartellaDaUnMessaggioEStatoTre) {
    // A folder standing at the line source's name: the first file cannot be written.
    std::filesystem::create_directory(cartella / "Lerno_Castelbrum_Pusena_linea.txt");
    EXPECT_EQ(esegui(), 3);
    std::string errori = leggi_tutto(cartella / "errori.txt");
    EXPECT_NE(errori.find("Lerno_Castelbrum_Pusena_linea.txt"), std::string::npos) << errori;
    EXPECT_FALSE(std::filesystem::exists(cartella / "Lerno_Castelbrum_Pusena_27364.dat"));
}

}  // namespace
}  // namespace scenario
