// The real program against a hostile file system: a folder it may not write, a file-size limit
// (a disk that fills up part way), a full disk on the last binary file, older files in the way.
// Every failure must end with a message naming the file and the system's reason, status 3, and
// no output file truncated or mixed from two runs.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "programma_figlio.h"
#include "support/cartella_temporanea.h"

namespace scenario {
namespace {

using prova::avvio_programma;
using prova::cartella_temporanea;
using prova::esegui_programma;
using prova::fine_programma_figlio;
using prova::leggi_tutto;
using prova::scrivi_tutto;

const std::vector<std::string> documenti = {"Lerno_Castelbrum_Pusena_27364_note.txt",
                                            "Lerno_Castelbrum_Pusena_27364_rallentamenti.txt",
                                            "Lerno_Castelbrum_Pusena_27364_scheda_treno.txt"};
const std::vector<std::string> binari = {"Lerno_Castelbrum_Pusena_linea.dat",
                                         "Lerno_Castelbrum_Pusena_27364.sim",
                                         "Lerno_Castelbrum_Pusena_27364.dat"};

using contenuti = std::map<std::string, std::string>;

// What a clean run leaves, computed once: the reference every faulty run is compared with.
const contenuti& file_di_una_run_pulita() {
    static const contenuti riferimento = [] {
        cartella_temporanea cartella;
        std::filesystem::copy_file(ESEGUIBILE_PROGRAMMA, cartella / "programma");
        fine_programma_figlio fine = esegui_programma(cartella.percorso(), cartella / "programma");
        if (!fine.uscito || fine.stato != 0) throw std::runtime_error("run pulita: " + fine.errori);
        contenuti file;
        for (const auto& nome : documenti) file[nome] = leggi_tutto(cartella / nome);
        for (const auto& nome : binari) file[nome] = leggi_tutto(cartella / nome);
        return file;
    }();
    return riferimento;
}

class GuastiProgramma : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::copy_file(ESEGUIBILE_PROGRAMMA, cartella / "programma");
    }

    fine_programma_figlio esegui(const avvio_programma& avvio = {}) {
        return esegui_programma(cartella.percorso(), cartella / "programma", avvio);
    }

    // The program with a probe of its file operations (SONDA_... variables), in the same folder.
    fine_programma_figlio esegui_sonda(std::vector<std::string> ambiente) {
        std::error_code ignora;
        std::filesystem::copy_file(ESEGUIBILE_SONDA, cartella / "sonda", ignora);
        avvio_programma avvio;
        avvio.ambiente = std::move(ambiente);
        return esegui_programma(cartella.percorso(), cartella / "sonda", avvio);
    }

    // Binary files of an older run, different from and longer than the new ones.
    contenuti vecchi_binari() {
        contenuti vecchi;
        for (const auto& nome : binari) {
            vecchi[nome] = "vecchio " + nome + std::string(2'000'000, 'v');
            scrivi_tutto(cartella / nome, vecchi[nome]);
        }
        return vecchi;
    }

    // Everything in the folder but the program, by name.
    contenuti cartella_ora() const {
        contenuti trovati;
        for (const auto& voce : std::filesystem::directory_iterator(cartella.percorso())) {
            std::string nome = voce.path().filename().string();
            if (nome == "programma" || nome == "sonda") continue;
            if (voce.is_symlink()) {
                trovati[nome] = "-> " + std::filesystem::read_symlink(voce.path()).string();
            } else if (voce.is_directory()) {
                trovati[nome] = "(cartella)";
            } else {
                trovati[nome] = leggi_tutto(voce.path());
            }
        }
        return trovati;
    }

    cartella_temporanea cartella;
};

// The files that differ, by name; empty when the folder holds exactly `attesi` (a plain
// comparison would print megabytes on failure).
std::string differenze(const contenuti& attesi, const contenuti& trovati) {
    std::string testo;
    for (const auto& [nome, contenuto] : attesi) {
        auto trovato = trovati.find(nome);
        if (trovato == trovati.end()) {
            testo += nome + ": mancante\n";
        } else if (trovato->second != contenuto) {
            testo += nome + ": " + std::to_string(trovato->second.size()) + " byte diversi dai " +
                     std::to_string(contenuto.size()) + " attesi\n";
        }
    }
    for (const auto& voce : trovati) {
        if (attesi.count(voce.first) == 0) testo += voce.first + ": inatteso\n";
    }
    return testo;
}

void atteso_guasto(const fine_programma_figlio& fine, const std::string& messaggio) {
    ASSERT_TRUE(fine.uscito) << "ucciso dal segnale " << fine.stato;
    EXPECT_EQ(fine.stato, 3) << fine.errori;
    EXPECT_EQ(fine.errori, messaggio + "\n");
}

TEST_F(GuastiProgramma, CartellaNonScrivibileNonLasciaNulla) {
    avvio_programma avvio;
    if (geteuid() == 0) {
        // Root writes anywhere: the program runs as "nobody" in a folder that root owns.
        avvio.senza_privilegi = true;
    } else {
        std::filesystem::permissions(cartella.percorso(), std::filesystem::perms::owner_read |
                                                              std::filesystem::perms::owner_exec);
    }
    fine_programma_figlio fine = esegui(avvio);
    if (fine.uscito && fine.stato == 127) {
        GTEST_SKIP() << "impossibile avviare il programma senza privilegi: " << fine.errori;
    }
    atteso_guasto(fine, "Impossibile scrivere il file " +
                            (cartella / "Lerno_Castelbrum_Pusena_linea.txt").string() + ": " +
                            std::strerror(EACCES));
    EXPECT_EQ(differenze({}, cartella_ora()), "");
}

// The limit stops a write with EFBIG, as a disk that fills up part way: the program must report
// it, not be killed by the signal, and leave only complete files.
TEST_F(GuastiProgramma, LimiteDiDimensioneFermaLaRunConUnMessaggio) {
    struct caso {
        rlim_t limite;
        const char* file_fermato;
        bool documenti_scritti;
    };
    // The line source (4701 bytes) is the first and largest text file; "_linea.dat" (1279964
    // bytes) the first and largest binary one.
    const caso casi[] = {
        {4000, "Lerno_Castelbrum_Pusena_linea.txt", false},
        {100000, "Lerno_Castelbrum_Pusena_linea.dat", true},
    };
    for (const caso& k : casi) {
        SCOPED_TRACE("limite " + std::to_string(k.limite));
        for (const auto& voce : cartella_ora()) std::filesystem::remove(cartella / voce.first);
        contenuti attesi = vecchi_binari();
        if (k.documenti_scritti) {
            for (const auto& nome : documenti) attesi[nome] = file_di_una_run_pulita().at(nome);
        }
        avvio_programma avvio;
        avvio.limite_file = k.limite;
        atteso_guasto(esegui(avvio), "Impossibile scrivere il file " +
                                         (cartella / k.file_fermato).string() + ": " +
                                         std::strerror(EFBIG));
        EXPECT_EQ(differenze(attesi, cartella_ora()), "");
    }
}

// The disk is full when the last binary file is written: the two written before it must not
// replace the older ones, or the simulator would load cells of one run beside another's.
TEST_F(GuastiProgramma, DiscoPienoSullUltimoFileLasciaTuttiIVecchiFileBinari) {
    contenuti attesi = vecchi_binari();
    for (const auto& nome : documenti) attesi[nome] = file_di_una_run_pulita().at(nome);
    atteso_guasto(esegui_sonda({"SONDA_GUASTO=scrivi Lerno_Castelbrum_Pusena_27364.dat " +
                                std::to_string(ENOSPC)}),
                  "Impossibile scrivere il file " +
                      (cartella / "Lerno_Castelbrum_Pusena_27364.dat").string() + ": " +
                      std::strerror(ENOSPC));
    EXPECT_EQ(differenze(attesi, cartella_ora()), "");
}

// A failure of the system after the sources are written leaves nothing new but the documents
// already complete: the two sources go too.
TEST_F(GuastiProgramma, UnGuastoDelSistemaNonLasciaLeSorgenti) {
    const std::string note = "Lerno_Castelbrum_Pusena_27364_note.txt";
    const std::string scheda = "Lerno_Castelbrum_Pusena_27364_scheda_treno.txt";
    const std::string rallentamenti = "Lerno_Castelbrum_Pusena_27364_rallentamenti.txt";
    {
        SCOPED_TRACE("una cartella al nome delle note");
        std::filesystem::create_directory(cartella / note);
        atteso_guasto(esegui(), "Impossibile scrivere il file " + (cartella / note).string() +
                                    ": " + std::strerror(EISDIR));
        EXPECT_EQ(differenze({{note, "(cartella)"}}, cartella_ora()), "");
        std::filesystem::remove(cartella / note);
    }
    {
        SCOPED_TRACE("il disco si riempie sulla scheda");
        atteso_guasto(
            esegui_sonda({"SONDA_GUASTO=scrivi " + scheda + " " + std::to_string(ENOSPC)}),
            "Impossibile scrivere il file " + (cartella / scheda).string() + ": " +
                std::strerror(ENOSPC));
        EXPECT_EQ(differenze({{note, file_di_una_run_pulita().at(note)},
                              {rallentamenti, file_di_una_run_pulita().at(rallentamenti)}},
                             cartella_ora()),
                  "");
    }
}

// Links planted at the names the temporary files once had, and at a target itself, point outside
// the folder: nothing is written through them, and every file comes out a plain file.
TEST_F(GuastiProgramma, ICollegamentiPiantatiNonVengonoSeguiti) {
    cartella_temporanea fuori;
    scrivi_tutto(fuori / "vittima", "intatto");
    contenuti attesi = file_di_una_run_pulita();
    for (const char* nome :
         {"Lerno_Castelbrum_Pusena_linea.txt", "Lerno_Castelbrum_Pusena_27364-.txt",
          "Lerno_Castelbrum_Pusena_27364_note.txt", "Lerno_Castelbrum_Pusena_linea.dat",
          "Lerno_Castelbrum_Pusena_27364.sim"}) {
        const std::string planted = std::string(nome) + ".tmp";
        std::filesystem::create_symlink(fuori / "vittima", cartella / planted);
        attesi[planted] = "-> " + (fuori / "vittima").string();
    }
    std::filesystem::create_symlink(fuori / "vittima",
                                    cartella / "Lerno_Castelbrum_Pusena_27364_note.txt");
    fine_programma_figlio fine = esegui();
    ASSERT_TRUE(fine.uscito);
    EXPECT_EQ(fine.stato, 0) << fine.errori;
    EXPECT_EQ(leggi_tutto(fuori / "vittima"), "intatto");
    EXPECT_EQ(differenze(attesi, cartella_ora()), "");
}

TEST_F(GuastiProgramma, FileVecchiEPiuLunghiSonoSostituitiPerIntero) {
    for (const auto& nome : documenti) scrivi_tutto(cartella / nome, std::string(100000, 'd'));
    vecchi_binari();
    fine_programma_figlio fine = esegui();
    ASSERT_TRUE(fine.uscito);
    EXPECT_EQ(fine.stato, 0) << fine.errori;
    EXPECT_EQ(fine.errori, "");
    EXPECT_EQ(differenze(file_di_una_run_pulita(), cartella_ora()), "");
}

}  // namespace
}  // namespace scenario
