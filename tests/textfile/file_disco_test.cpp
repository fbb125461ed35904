#include "textfile/file_disco.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <functional>

#include "model/guasto.h"
#include "support/cartella_temporanea.h"

namespace scenario {
namespace {

using prova::cartella_temporanea;
using prova::leggi_tutto;
using prova::scrivi_tutto;

// The system's own reason reaches the message, whatever stood in the way.
TEST(FileDisco, IlGuastoPortaLaRagioneDelSistema) {
    struct caso {
        const char* nome;
        std::function<std::filesystem::path(const cartella_temporanea&)> prepara;
        int errno_atteso;
    };
    const caso casi[] = {
        {"cartella assente", [](const cartella_temporanea& c) { return c / "manca" / "note.txt"; },
         ENOENT},
        {"cartella al posto del temporaneo",
         [](const cartella_temporanea& c) {
             std::filesystem::create_directory(c / "note.txt.tmp");
             return c / "note.txt";
         },
         EISDIR},
        {"disco pieno",
         [](const cartella_temporanea& c) {
             std::filesystem::create_symlink("/dev/full", c / "note.txt.tmp");
             return c / "note.txt";
         },
         ENOSPC},
    };
    for (const caso& k : casi) {
        cartella_temporanea cartella;
        std::filesystem::path file = k.prepara(cartella);
        try {
            sostituisci_file(file, std::string(100000, 'x'));
            ADD_FAILURE() << k.nome << ": nessun guasto";
        } catch (const guasto_file& e) {
            EXPECT_EQ(e.file(), file.string()) << k.nome;
            EXPECT_EQ(e.causa(), std::strerror(k.errno_atteso)) << k.nome;
        }
    }
}

TEST(FileDisco, DiscoPienoLasciaIlFilePrecedenteENessunTemporaneo) {
    cartella_temporanea cartella;
    scrivi_tutto(cartella / "note.txt", "vecchio\r\n");
    std::filesystem::create_symlink("/dev/full", cartella / "note.txt.tmp");
    EXPECT_THROW(sostituisci_file(cartella / "note.txt", "nuovo\r\n"), guasto_file);
    EXPECT_EQ(leggi_tutto(cartella / "note.txt"), "vecchio\r\n");
    EXPECT_FALSE(std::filesystem::is_symlink(cartella / "note.txt.tmp"));
}

TEST(FileDisco, FileAssenteDaLeggereEUnGuastoCheLoNomina) {
    cartella_temporanea cartella;
    try {
        leggi_file(cartella / "manca.txt");
        FAIL() << "nessun guasto";
    } catch (const guasto_file& e) {
        EXPECT_EQ(e.file(), (cartella / "manca.txt").string());
        EXPECT_EQ(e.causa(), std::strerror(ENOENT));
    }
}

// The program's folder may be named in any script: the name reaches the system unchanged.
TEST(FileDisco, CartellaConNomeNonAsciiScrittaERiletta) {
    cartella_temporanea cartella;
    std::filesystem::path straniera = cartella / "Nicolò_Жуков";
    std::filesystem::create_directory(straniera);
    const std::string contenuto("\x80 \xE8\r\n\0fine", 10);
    sostituisci_file(straniera / "note.txt", "vecchio");
    sostituisci_file(straniera / "note.txt", contenuto);
    EXPECT_EQ(leggi_file(straniera / "note.txt"), contenuto);
}

}  // namespace
}  // namespace scenario
