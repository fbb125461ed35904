#include "run/errore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "model/nomi_file.h"
#include "run/codici_errore.h"
#include "run/memorizza_percorso.h"
#include "support/cartella_temporanea.h"
#include "support/piattaforma_registrata.h"

namespace scenario {
namespace {

using prova::cartella_temporanea;
using prova::piattaforma_registrata;

TEST(Errore, MostraIlMessaggioNumeratoEFinisceIlProgramma) {
    stato_run stato;
    piattaforma_registrata schermo;
    try {
        errore(stato, schermo, "1250");
        FAIL() << "errore e' tornato al chiamante";
    } catch (const fine_programma& fine) {
        EXPECT_EQ(fine.codice, 1250);
    }
    ASSERT_EQ(schermo.messaggi.size(), 1u);
    EXPECT_EQ(schermo.messaggi[0], " Errore n. 1250");
    EXPECT_EQ(stato.risposta, pulsante_ok);
}

TEST(CodiciErrore, DescrizioneConPosizioneERecordSorgente) {
    EXPECT_EQ(descrivi_errore(16, 4150, {"Lerno_Castelbrum_Pusena_27364-.txt", 33, 1}),
              "Errore 16: segnale su una cella non libera, alla posizione 4150 m "
              "(Lerno_Castelbrum_Pusena_27364-.txt:33:1)");
    // A code without a position never shows one, whatever the field holds.
    EXPECT_EQ(descrivi_errore(102, 4150), "Errore 102: sorgente della linea senza riga [generale]");
    // The fault behind a code 25 follows the record; any other code keeps its cause to itself.
    EXPECT_EQ(descrivi_errore(25, 0, {"L_linea.txt", 4, 1}, "testo troppo lungo"),
              "Errore 25: guasto durante la compilazione (L_linea.txt:4:1): testo troppo lungo");
    EXPECT_EQ(descrivi_errore(6, 550, {}, "ignorata"),
              "Errore 6: cartello indicatore su una cella non libera, alla posizione 550 m");
}

// The README's table of codes is what authors read: every code the program records is there,
// with the meaning it prints and, in the last column, "position given" exactly where a position
// comes with it.
TEST(CodiciErrore, LaTabellaDelReadmeEQuellaDelProgramma) {
    std::ifstream readme(std::filesystem::path(CARTELLA_PROVE) / ".." / "README.md");
    ASSERT_TRUE(readme) << "README.md";
    std::map<std::int32_t, std::pair<std::string, std::string>> tabella;
    bool dentro = false;
    for (std::string riga; std::getline(readme, riga);) {
        if (riga.rfind("### ", 0) == 0) dentro = riga == "### Error codes";
        if (!dentro || riga.size() < 4 || riga[0] != '|' || riga[2] < '0' || riga[2] > '9') {
            continue;
        }
        // "| code | meaning | what to look at |"
        std::vector<std::string> celle;
        std::size_t da = 1;
        for (std::size_t a = riga.find('|', da); a != std::string::npos; a = riga.find('|', da)) {
            std::string cella = riga.substr(da, a - da);
            cella.erase(0, cella.find_first_not_of(' '));
            cella.erase(cella.find_last_not_of(' ') + 1);
            celle.push_back(cella);
            da = a + 1;
        }
        ASSERT_EQ(celle.size(), 3u) << riga;
        tabella[std::stoi(celle[0])] = {celle[1], celle[2]};
    }
    ASSERT_FALSE(tabella.empty());
    for (std::int32_t codice = -1; codice <= 2000; ++codice) {
        auto voce = tabella.find(codice);
        ASSERT_EQ(codice_noto(codice), voce != tabella.end()) << codice;
        if (voce == tabella.end()) {
            EXPECT_STREQ(significato_codice(codice), "codice sconosciuto") << codice;
            continue;
        }
        EXPECT_EQ(significato_codice(codice), voce->second.first) << codice;
        EXPECT_EQ(codice_con_posizione(codice),
                  voce->second.second.find("position given") != std::string::npos)
            << codice;
    }
}

// A compiler end that leaves the cells unsized stops the run before the cell pass: nothing
// binary is written, whatever the code.
TEST(MemorizzaPercorso, SenzaCelleDimensionateNonScriveFileBinari) {
    struct caso {
        const char* sorgente_linea;  // nullptr: no line source at all
        std::int32_t codice;
    };
    const caso casi[] = {
        {nullptr, 101},
        {"lunghezza percorso, 100\r\n", 102},
        {"[generale]\r\nlunghezza percorso, 1000001\r\n[curve]\r\n[fine]\r\n", 1},
    };
    for (const caso& c : casi) {
        cartella_temporanea cartella;
        stato_run stato;
        stato.nome_scenario = "S";
        stato.numero_treno = "1";
        stato.cartella = cartella.percorso();
        if (c.sorgente_linea != nullptr) {
            prova::scrivi_tutto(percorso_file(stato, nome_sorgente_linea(stato)), c.sorgente_linea);
        }
        piattaforma_registrata schermo;
        EXPECT_FALSE(memorizza_percorso(stato, schermo, 1));
        EXPECT_EQ(stato.codice_errore, c.codice);
        for (const std::string& nome :
             {nome_file_linea(stato), nome_file_sim(stato), nome_file_dat(stato)}) {
            EXPECT_FALSE(std::filesystem::exists(percorso_file(stato, nome))) << nome;
        }
    }
}

}  // namespace
}  // namespace scenario
