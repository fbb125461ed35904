#include "run/compilazione_privata.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "output/formato_file.h"
#include "support/piattaforma_registrata.h"

namespace scenario {
namespace {

sorgenti_da_compilare sorgenti(const std::string& caratteristiche, std::int32_t j = 1) {
    sorgenti_da_compilare s;
    s.nome_scenario = "Prova";
    s.numero_treno = "7";
    s.sorgente_linea =
        "[generale]\r\nlunghezza percorso, 2000\r\n[curve]\r\n" + caratteristiche + "[fine]\r\n";
    s.sorgente_treno = "[generale]\r\n[fine]\r\n";
    s.j = j;
    return s;
}

TEST(CompilazionePrivata, FileBinariNellaCartellaESorgentiEliminate) {
    for (std::int32_t j : {1, 0}) {
        SCOPED_TRACE(j);
        prova::piattaforma_registrata schermo;
        std::filesystem::path cartella;
        {
            compilazione_privata c(sorgenti("pendenza, 500, 3\r\n", j), schermo);
            cartella = c.cartella();
            ASSERT_TRUE(c.file_scritti());
            EXPECT_EQ(c.stato().codice_errore, 0);
            std::vector<std::string> attesi = {"Prova_7.dat", "Prova_7.sim"};
            if (j != 0) attesi.push_back("Prova_linea.dat");
            EXPECT_EQ(c.file_presenti(), attesi);
            EXPECT_EQ(c.leggi("Prova_7.dat").size(),
                      formato::inizio_cella(static_cast<std::size_t>(c.stato().ultima_cella) + 1));
            EXPECT_THROW(c.leggi("Prova_linea.txt"), guasto_file);
        }
        EXPECT_FALSE(std::filesystem::exists(cartella));
        EXPECT_TRUE(schermo.messaggi.empty());
    }
}

// A board at 0 m lands in cell 1, where the stamps go: the program's message, then its end,
// which the service turns into an outcome with no file written.
TEST(CompilazionePrivata, TimbroOccupatoFermaSenzaFile) {
    prova::piattaforma_registrata schermo;
    compilazione_privata c(sorgenti("cartello_indicatore, 0, (KM 0)\r\n"), schermo);
    EXPECT_TRUE(c.fermata_dai_timbri());
    EXPECT_FALSE(c.file_scritti());
    EXPECT_EQ(c.stato().codice_errore, 1250);
    EXPECT_TRUE(c.file_binari().empty());
    EXPECT_EQ(c.file_presenti(), std::vector<std::string>{});
    EXPECT_EQ(schermo.messaggi, std::vector<std::string>{" Errore n. 1250"});
}

}  // namespace
}  // namespace scenario
