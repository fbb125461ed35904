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

// In memory the compiler reads, deletes and writes exactly what it does in a folder: the same
// files are left, with the same bytes, and the same code; and no folder is made.
TEST(CompilazionePrivata, InMemoriaGliStessiFileEGliStessiCodiciSenzaCartella) {
    const char* const casi[] = {
        "pendenza, 500, 3\r\ncurvad4, 300, 200\r\n",
        "cartello_indicatore, 0, (KM 0)\r\n",  // stopped by the stamps
        "curvad4, 8990, 100\r\n",              // a curve past the geometry's end: code 25
        "pendenza, 500\r\n[curve]\r\n",        // a row cut short
    };
    for (std::int32_t j : {1, 0}) {
        for (const char* caratteristiche : casi) {
            SCOPED_TRACE(std::string(caratteristiche) + ", j " + std::to_string(j));
            prova::piattaforma_registrata schermo;
            compilazione_privata su_disco(sorgenti(caratteristiche, j), schermo);
            sorgenti_da_compilare in_memoria = sorgenti(caratteristiche, j);
            in_memoria.in_memoria = true;
            compilazione_privata in_ram(in_memoria, schermo);
            EXPECT_TRUE(in_ram.cartella().empty());
            EXPECT_EQ(in_ram.stato().codice_errore, su_disco.stato().codice_errore);
            EXPECT_EQ(in_ram.stato().causa_guasto, su_disco.stato().causa_guasto);
            EXPECT_EQ(in_ram.file_scritti(), su_disco.file_scritti());
            ASSERT_EQ(in_ram.file_presenti(), su_disco.file_presenti());
            for (const std::string& nome : su_disco.file_presenti()) {
                EXPECT_TRUE(in_ram.leggi(nome) == su_disco.leggi(nome)) << nome;
                EXPECT_EQ(in_ram.dimensione(nome), su_disco.leggi(nome).size()) << nome;
            }
            EXPECT_THROW(in_ram.leggi("Prova_assente.dat"), guasto_file);
        }
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
