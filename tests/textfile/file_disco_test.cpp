#include "textfile/file_disco.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <functional>

#include "model/guasto.h"
#include "support/cartella_temporanea.h"
#include "support/sonda_registrata.h"
#include "textfile/nomi_temporanei.h"

namespace scenario {
namespace {

using prova::cartella_temporanea;
using prova::leggi_tutto;
using prova::scrivi_tutto;
using prova::sonda_registrata;

std::vector<std::string> voci(const cartella_temporanea& cartella) {
    std::vector<std::string> nomi;
    for (const auto& voce : std::filesystem::directory_iterator(cartella.percorso())) {
        nomi.push_back(voce.path().filename().string());
    }
    std::sort(nomi.begin(), nomi.end());
    return nomi;
}

// The system's own reason reaches the message, whatever stood in the way.
TEST(FileDisco, IlGuastoPortaLaRagioneDelSistema) {
    struct caso {
        const char* nome;
        std::function<std::filesystem::path(const cartella_temporanea&, sonda_registrata&)> prepara;
        int errno_atteso;
    };
    const caso casi[] = {
        {"cartella assente",
         [](const cartella_temporanea& c, sonda_registrata&) { return c / "manca" / "note.txt"; },
         ENOENT},
        {"cartella al posto del file",
         [](const cartella_temporanea& c, sonda_registrata&) {
             std::filesystem::create_directory(c / "note.txt");
             return c / "note.txt";
         },
         EISDIR},
        {"disco pieno",
         [](const cartella_temporanea& c, sonda_registrata& sonda) {
             sonda.fallisci(operazione_file::scrivi, "note.txt", ENOSPC);
             return c / "note.txt";
         },
         ENOSPC},
        {"svuotamento fallito",
         [](const cartella_temporanea& c, sonda_registrata& sonda) {
             sonda.fallisci(operazione_file::svuota, "note.txt", EIO);
             return c / "note.txt";
         },
         EIO},
    };
    for (const caso& k : casi) {
        cartella_temporanea cartella;
        sonda_registrata sonda;
        std::filesystem::path file = k.prepara(cartella, sonda);
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
    sonda_registrata sonda;
    sonda.fallisci(operazione_file::scrivi, "note.txt", ENOSPC);
    EXPECT_THROW(sostituisci_file(cartella / "note.txt", "nuovo\r\n"), guasto_file);
    EXPECT_EQ(leggi_tutto(cartella / "note.txt"), "vecchio\r\n");
    EXPECT_EQ(voci(cartella), std::vector<std::string>{"note.txt"});
}

// Links planted where a temporary file might go, or at the target itself, are never written
// through: the file outside the folder keeps its bytes, and the target becomes a plain file.
TEST(FileDisco, UnCollegamentoPiantatoNonVieneMaiSeguito) {
    cartella_temporanea cartella;
    cartella_temporanea fuori;
    scrivi_tutto(fuori / "vittima", "intatto");
    for (const char* nome : {"note.txt.tmp", "~note.txt", "note.txt"}) {
        std::filesystem::create_symlink(fuori / "vittima", cartella / nome);
    }
    sostituisci_file(cartella / "note.txt", "nuovo\r\n");
    EXPECT_EQ(leggi_tutto(fuori / "vittima"), "intatto");
    EXPECT_FALSE(std::filesystem::is_symlink(cartella / "note.txt"));
    EXPECT_EQ(leggi_tutto(cartella / "note.txt"), "nuovo\r\n");
    EXPECT_EQ(voci(cartella), (std::vector<std::string>{"note.txt", "note.txt.tmp", "~note.txt"}));
}

// Every replacement takes a fresh name of its own, in the target's folder, created exclusive.
TEST(FileDisco, OgniTemporaneoHaUnNomeNuovoNellaCartellaDelFile) {
    cartella_temporanea cartella;
    sonda_registrata sonda;
    for (int n = 0; n < 50; ++n) sostituisci_file(cartella / "note.txt", "x");
    std::vector<std::string> nomi;
    for (const auto& voce : sonda.traccia) {
        if (voce.operazione != operazione_file::crea) continue;
        EXPECT_EQ(voce.file.parent_path(), cartella.percorso());
        EXPECT_TRUE(e_nome_temporaneo(voce.file.filename().string())) << voce.file;
        nomi.push_back(voce.file.filename().string());
    }
    ASSERT_EQ(nomi.size(), 50u);
    std::sort(nomi.begin(), nomi.end());
    EXPECT_EQ(std::unique(nomi.begin(), nomi.end()), nomi.end());
}

// The longest name the system takes for a file is written: its temporary's name is short.
TEST(FileDisco, UnNomeLegaleAlLimiteDelSistemaVieneScritto) {
    cartella_temporanea cartella;
    const std::string nome = std::string(251, 'n') + ".sim";
    sostituisci_file({{cartella / nome, "uno"}, {cartella / "b.dat", "due"}});
    EXPECT_EQ(leggi_tutto(cartella / nome), "uno");
    EXPECT_EQ(voci(cartella), (std::vector<std::string>{"b.dat", nome}));
}

TEST(FileDisco, IlNomeDeiTemporaneiNonSiConfondeConAltriFile) {
    EXPECT_TRUE(e_nome_temporaneo(nuovo_nome_temporaneo()));
    for (const char* nome : {"~scenario-abcdefghijkl.tmp", "~scenario-234567abcdef.tmp"}) {
        EXPECT_TRUE(e_nome_temporaneo(nome)) << nome;
    }
    for (const char* nome :
         {"~scenario-abcdefghijk.tmp", "~scenario-abcdefghijklm.tmp", "~scenario-ABCDEFGHIJKL.tmp",
          "~scenario-abcdefghijk1.tmp", "scenario-abcdefghijkl.tmp", "~scenario-abcdefghijkl.txt",
          "Lerno_Castelbrum_Pusena_27364.dat.tmp", "note.txt"}) {
        EXPECT_FALSE(e_nome_temporaneo(nome)) << nome;
    }
}

// Only plain files of the temporary form go; everything else of the folder stays.
TEST(FileDisco, ITemporaneiRimastiSonoRimossiESoloLoro) {
    cartella_temporanea cartella;
    cartella_temporanea fuori;
    scrivi_tutto(fuori / "vittima", "intatto");
    scrivi_tutto(cartella / "~scenario-aaaaaaaaaaaa.tmp", "rimasto");
    scrivi_tutto(cartella / "~scenario-bbbbbbbbbbbb.tmp", "");
    scrivi_tutto(cartella / "note.txt", "dell'autore");
    scrivi_tutto(cartella / "note.txt.tmp", "dell'autore");
    std::filesystem::create_symlink(fuori / "vittima", cartella / "~scenario-cccccccccccc.tmp");
    std::filesystem::create_directory(cartella / "~scenario-dddddddddddd.tmp");
    rimuovi_temporanei_rimasti(cartella.percorso());
    EXPECT_EQ(voci(cartella),
              (std::vector<std::string>{"note.txt", "note.txt.tmp", "~scenario-cccccccccccc.tmp",
                                        "~scenario-dddddddddddd.tmp"}));
    EXPECT_EQ(leggi_tutto(fuori / "vittima"), "intatto");
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
