// The real program killed (SIGKILL) right after each one of its file operations in turn, as a
// crash or a power cut would stop it: every file on the disk must be whole, old or new, and the
// next run must put the six files in place and leave nothing else.
#include <gtest/gtest.h>
#include <signal.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "programma_figlio.h"
#include "support/cartella_temporanea.h"
#include "textfile/nomi_temporanei.h"

namespace scenario {
namespace {

using prova::cartella_temporanea;
using prova::esegui_programma;
using prova::fine_programma_figlio;
using prova::leggi_tutto;
using prova::scrivi_tutto;

using contenuti = std::map<std::string, std::string>;

const std::vector<std::string> sei_file = {"Lerno_Castelbrum_Pusena_27364_note.txt",
                                           "Lerno_Castelbrum_Pusena_27364_rallentamenti.txt",
                                           "Lerno_Castelbrum_Pusena_27364_scheda_treno.txt",
                                           "Lerno_Castelbrum_Pusena_linea.dat",
                                           "Lerno_Castelbrum_Pusena_27364.sim",
                                           "Lerno_Castelbrum_Pusena_27364.dat"};
const std::set<std::string> sorgenti = {"Lerno_Castelbrum_Pusena_linea.txt",
                                        "Lerno_Castelbrum_Pusena_27364-.txt"};
const std::set<std::string> programmi = {"programma", "sonda"};

// A hard link where the folders share a file system: the loop starts the programs a hundred
// times, and a copy is ten megabytes.
void metti_programma(const std::filesystem::path& da, const std::filesystem::path& a) {
    std::error_code errore;
    std::filesystem::create_hard_link(da, a, errore);
    if (errore) std::filesystem::copy_file(da, a);
}

class Interruzioni : public ::testing::Test {
  protected:
    void SetUp() override { prepara(); }

    void prepara() {
        cartella = std::make_unique<cartella_temporanea>();
        metti_programma(ESEGUIBILE_PROGRAMMA, *cartella / "programma");
        metti_programma(ESEGUIBILE_SONDA, *cartella / "sonda");
    }

    fine_programma_figlio esegui(const std::string& programma,
                                 std::vector<std::string> ambiente = {}) {
        prova::avvio_programma avvio;
        avvio.ambiente = std::move(ambiente);
        return esegui_programma(cartella->percorso(), *cartella / programma, avvio);
    }

    // Everything in the folder but the programs.
    contenuti cartella_ora() const {
        contenuti trovati;
        for (const auto& voce : std::filesystem::directory_iterator(cartella->percorso())) {
            std::string nome = voce.path().filename().string();
            if (programmi.count(nome) == 0) trovati[nome] = leggi_tutto(voce.path());
        }
        return trovati;
    }

    std::unique_ptr<cartella_temporanea> cartella;
};

// The six files of a complete run, from a folder of their own.
const contenuti& nuovi() {
    static const contenuti file = [] {
        cartella_temporanea c;
        metti_programma(ESEGUIBILE_PROGRAMMA, c / "programma");
        fine_programma_figlio fine = esegui_programma(c.percorso(), c / "programma");
        if (!fine.uscito || fine.stato != 0) throw std::runtime_error(fine.errori);
        contenuti letti;
        for (const auto& nome : sei_file) letti[nome] = leggi_tutto(c / nome);
        return letti;
    }();
    return file;
}

// Whole files of an older run, each different from the new one and longer.
contenuti vecchi() {
    contenuti file;
    for (const auto& nome : sei_file) {
        file[nome] = "vecchio " + nome + std::string(nuovi().at(nome).size(), 'v');
    }
    return file;
}

struct passo {
    long numero = 0;
    std::string operazione;
    std::string file;
    std::string destinazione;
};

std::vector<passo> leggi_traccia(const std::filesystem::path& file) {
    std::vector<passo> passi;
    std::istringstream righe(leggi_tutto(file));
    std::string riga;
    while (std::getline(righe, riga)) {
        std::istringstream campi(riga);
        passo p;
        campi >> p.numero >> p.operazione >> p.file >> p.destinazione;
        passi.push_back(p);
    }
    return passi;
}

TEST_F(Interruzioni, UccisoDopoOgniOperazioneLasciaFileInteriELaRunSeguenteRimetteTutto) {
    const contenuti prima = vecchi();
    // How many operations a whole run makes, in a folder holding an older run's files.
    for (const auto& [nome, byte] : prima) scrivi_tutto(*cartella / nome, byte);
    cartella_temporanea tracce;
    ASSERT_EQ(esegui("sonda", {"SONDA_TRACCIA=" + (tracce / "traccia").string()}).stato, 0);
    const long operazioni = static_cast<long>(leggi_traccia(tracce / "traccia").size());
    ASSERT_GT(operazioni, 40);

    for (long n = 1; n <= operazioni + 1; ++n) {
        SCOPED_TRACE("ucciso dopo l'operazione " + std::to_string(n) + " di " +
                     std::to_string(operazioni));
        prepara();
        for (const auto& [nome, byte] : prima) scrivi_tutto(*cartella / nome, byte);
        fine_programma_figlio ucciso = esegui("sonda", {"SONDA_FERMA_DOPO=" + std::to_string(n)});
        if (n <= operazioni) {
            ASSERT_FALSE(ucciso.uscito) << ucciso.errori;
            ASSERT_EQ(ucciso.stato, SIGKILL);
        } else {
            ASSERT_TRUE(ucciso.uscito);
            ASSERT_EQ(ucciso.stato, 0) << ucciso.errori;
        }

        for (const auto& [nome, byte] : cartella_ora()) {
            if (prima.count(nome) != 0) {
                EXPECT_TRUE(byte == prima.at(nome) || byte == nuovi().at(nome))
                    << nome << ": " << byte.size() << " byte, né vecchio né nuovo";
            } else {
                EXPECT_TRUE(sorgenti.count(nome) != 0 || e_nome_temporaneo(nome))
                    << nome << " inatteso";
            }
        }
        for (const auto& nome : sei_file) {
            EXPECT_TRUE(std::filesystem::exists(*cartella / nome)) << nome << " sparito";
        }

        fine_programma_figlio seguente = esegui("programma");
        ASSERT_TRUE(seguente.uscito);
        EXPECT_EQ(seguente.stato, 0) << seguente.errori;
        EXPECT_EQ(seguente.errori, "");
        EXPECT_TRUE(cartella_ora() == nuovi()) << "la run seguente non lascia i sei file soli";
        if (HasFailure()) break;
    }
}

// Each temporary file is created, written, flushed and closed before its rename; the binary
// files are renamed only once all three are complete; a flush of the folder follows the renames.
TEST_F(Interruzioni, LaTracciaMostraOgniSvuotamentoPrimaDellaSuaRinomina) {
    cartella_temporanea tracce;
    ASSERT_EQ(esegui("sonda", {"SONDA_TRACCIA=" + (tracce / "traccia").string()}).stato, 0);
    const std::vector<passo> passi = leggi_traccia(tracce / "traccia");
    const std::string cartella_run = cartella->percorso().string();

    std::map<std::string, std::vector<std::string>> storia;  // temporary file -> its steps
    std::set<std::string> rinominati;
    std::vector<std::string> binari_chiusi;
    bool rinomina_da_svuotare = false;
    for (const passo& p : passi) {
        SCOPED_TRACE(std::to_string(p.numero) + " " + p.operazione + " " + p.file);
        if (p.operazione == "crea") {
            EXPECT_FALSE(rinomina_da_svuotare) << "un file nuovo prima di svuotare la cartella";
            EXPECT_EQ(std::filesystem::path(p.file).parent_path().string(), cartella_run);
            EXPECT_TRUE(e_nome_temporaneo(std::filesystem::path(p.file).filename().string()));
        }
        if (p.operazione == "svuota" && p.destinazione.empty()) {
            EXPECT_EQ(p.file, cartella_run);
            rinomina_da_svuotare = false;
            continue;
        }
        if (p.operazione == "elimina") continue;
        // A large file is written in several blocks: one step all the same.
        if (p.operazione == "scrivi" && !storia[p.file].empty() &&
            storia[p.file].back() == "scrivi") {
            continue;
        }
        storia[p.file].push_back(p.operazione);
        if (p.operazione == "chiudi" && p.destinazione.size() > 4 &&
            p.destinazione.substr(p.destinazione.size() - 4) != ".txt") {
            binari_chiusi.push_back(p.destinazione);
        }
        if (p.operazione == "rinomina") {
            EXPECT_EQ(storia[p.file],
                      (std::vector<std::string>{"crea", "scrivi", "svuota", "chiudi", "rinomina"}));
            if (p.destinazione.substr(p.destinazione.size() - 4) != ".txt") {
                EXPECT_EQ(binari_chiusi.size(), 3u) << "un file binario rinominato da solo";
            }
            rinominati.insert(p.destinazione);
            rinomina_da_svuotare = true;
        }
    }
    EXPECT_FALSE(rinomina_da_svuotare) << "la cartella non è svuotata dopo l'ultima rinomina";
    // The five text files and the three binary ones.
    EXPECT_EQ(rinominati.size(), 8u);
}

}  // namespace
}  // namespace scenario
