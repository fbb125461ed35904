#include "tool/piattaforma_strumento.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/cartella_temporanea.h"

namespace scenario {
namespace {

using strumento::parole_riga_comando;
using strumento::percorso_utente;

TEST(PiattaformaStrumento, LeParoleSonoQuelleDopoIlNomeDelProgramma) {
    char nome[] = "scenario-tool";
    char comando[] = "check";
    char cartella[] = "Nicol\xc3\xb2 \xd0\x96";
    char* argv[] = {nome, comando, cartella, nullptr};
    EXPECT_EQ(parole_riga_comando(3, argv),
              (std::vector<std::string>{"check", "Nicol\xc3\xb2 \xd0\x96"}));
    EXPECT_TRUE(parole_riga_comando(1, argv).empty());
    EXPECT_TRUE(parole_riga_comando(0, argv + 3).empty());
}

// The folder an author names in UTF-8 is the one created and found, and its name comes back
// with the same bytes for the messages.
TEST(PiattaformaStrumento, UnPercorsoDigitatoTieneLeSueLettere) {
    prova::cartella_temporanea base;
    const std::string digitato = (base.percorso() / "Nicol\xc3\xb2_\xd0\x96\xd1\x83").string();
    const std::filesystem::path percorso = percorso_utente(digitato);
    ASSERT_TRUE(std::filesystem::create_directory(percorso));
    EXPECT_EQ(percorso.string(), digitato);
    EXPECT_EQ(percorso.filename().string(), "Nicol\xc3\xb2_\xd0\x96\xd1\x83");
    EXPECT_TRUE(std::filesystem::is_directory(percorso_utente(digitato + "/")));
}

}  // namespace
}  // namespace scenario
