#include <gtest/gtest.h>

#include "banco_strumento.h"

namespace scenario {
namespace {

using prova::cartella_temporanea;
using prova::leggi_tutto;
using prova::virgolette;

// The real scenario-tool, as an author runs it.
int strumento_reale(const std::string& argomenti, const std::filesystem::path& errori) {
    return prova::esegui_comando(virgolette(ESEGUIBILE_STRUMENTO) + " " + argomenti +
                                 " > /dev/null 2> " + virgolette(errori));
}

TEST(EseguibileStrumento, SourcesPoiCompileDannoIFileDelProgramma) {
    cartella_temporanea dir;
    ASSERT_EQ(strumento_reale("sources " + virgolette(dir / "s"), dir / "e1.txt"), 0)
        << leggi_tutto(dir / "e1.txt");
    ASSERT_EQ(strumento_reale("compile " + virgolette(dir / "s") +
                                  " --scenario Lerno_Castelbrum_Pusena --train 27364 --out " +
                                  virgolette(dir / "o"),
                              dir / "e2.txt"),
              0)
        << leggi_tutto(dir / "e2.txt");
    for (const char* nome :
         {"Lerno_Castelbrum_Pusena_linea.dat", "Lerno_Castelbrum_Pusena_27364.sim",
          "Lerno_Castelbrum_Pusena_27364.dat"}) {
        EXPECT_EQ(leggi_tutto(dir / "o" / nome), leggi_tutto(prova::file_del_programma() / nome))
            << nome;
    }
}

TEST(EseguibileStrumento, StatiDUscita) {
    cartella_temporanea dir;
    prova::esporta_incorporate(dir.percorso());
    prova::modifica(dir / "Lerno_Castelbrum_Pusena_27364-.txt", "segnale,    2800,",
                    "segnale,    1500,");
    std::string compila = "compile " + virgolette(dir.percorso()) +
                          " --scenario Lerno_Castelbrum_Pusena --train 27364";
    EXPECT_EQ(strumento_reale(compila, dir / "e.txt"), 1);
    EXPECT_NE(leggi_tutto(dir / "e.txt").find("Errore 16: "), std::string::npos);
    EXPECT_EQ(strumento_reale(compila + " --train 1", dir / "e.txt"), 64);
    EXPECT_EQ(strumento_reale("compile " + virgolette(dir / "manca") +
                                  " --scenario Lerno_Castelbrum_Pusena --train 27364",
                              dir / "e.txt"),
              2);
    EXPECT_EQ(strumento_reale("--help", dir / "e.txt"), 0);
    EXPECT_EQ(strumento_reale("", dir / "e.txt"), 64);
}

}  // namespace
}  // namespace scenario
