// `compile` as a hostile or busy machine runs it: two compilations into one folder at once,
// interrupted by a signal, links planted in the output folder, leftovers of a killed run, names
// at the system's limit.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <set>
#include <thread>

#include "banco_strumento.h"
#include "support/processo_figlio.h"
#include "textfile/blocco_cartella.h"
#include "textfile/nomi_temporanei.h"

namespace scenario {
namespace {

using prova::cartella_temporanea;
using prova::leggi_tutto;
using prova::scrivi_tutto;

const std::string sorgente_linea = "Lerno_Castelbrum_Pusena_linea.txt";
const std::vector<std::string> binari = {"Lerno_Castelbrum_Pusena_linea.dat",
                                         "Lerno_Castelbrum_Pusena_27364.sim",
                                         "Lerno_Castelbrum_Pusena_27364.dat"};

std::set<std::string> nomi_in(const std::filesystem::path& cartella) {
    std::set<std::string> nomi;
    for (const auto& voce : std::filesystem::directory_iterator(cartella)) {
        nomi.insert(voce.path().filename().string());
    }
    return nomi;
}

prova::avvio_processo compila_in(const std::filesystem::path& sorgenti,
                                 const std::filesystem::path& uscita) {
    prova::avvio_processo avvio;
    avvio.programma = ESEGUIBILE_STRUMENTO;
    avvio.cartella = sorgenti;
    avvio.argomenti = {
        "compile", sorgenti.string(),        "--scenario", prova::scenario_incorporato,
        "--train", prova::treno_incorporato, "--out",      uscita.string()};
    return avvio;
}

std::vector<std::string> binari_in(const std::filesystem::path& cartella) {
    std::vector<std::string> byte;
    for (const auto& nome : binari) byte.push_back(leggi_tutto(cartella / nome));
    return byte;
}

// Two sets of sources that compile to different files under the same names.
struct due_scenari {
    cartella_temporanea cartella;
    std::filesystem::path a = cartella / "a";
    std::filesystem::path b = cartella / "b";
    std::vector<std::string> file_a, file_b;

    due_scenari() {
        prova::esporta_incorporate(a);
        prova::esporta_incorporate(b);
        prova::modifica(b / sorgente_linea, "lunghezza percorso,    57000",
                        "lunghezza percorso,    58000");
        for (const auto& [sorgenti, file] : {std::pair{a, &file_a}, std::pair{b, &file_b}}) {
            prova::fine_processo fine =
                prova::processo_figlio(compila_in(sorgenti, sorgenti)).attendi();
            EXPECT_EQ(fine.stato, 0) << fine.errori;
            *file = binari_in(sorgenti);
        }
    }
};

// Every set in the output folder comes from one compilation, however the two runs meet.
TEST(CompilaSicura, DueCompilazioniInUnaCartellaNonMescolanoIFile) {
    due_scenari scenari;
    ASSERT_NE(scenari.file_a, scenari.file_b);
    for (int prova_n = 0; prova_n < 6; ++prova_n) {
        SCOPED_TRACE("prova " + std::to_string(prova_n));
        cartella_temporanea uscita;
        prova::processo_figlio uno(compila_in(scenari.a, uscita.percorso()));
        prova::processo_figlio due(compila_in(scenari.b, uscita.percorso()));
        prova::fine_processo fine_uno = uno.attendi();
        prova::fine_processo fine_due = due.attendi();
        EXPECT_EQ(fine_uno.stato, 0) << fine_uno.errori;
        EXPECT_EQ(fine_due.stato, 0) << fine_due.errori;
        const std::vector<std::string> trovati = binari_in(uscita.percorso());
        EXPECT_TRUE(trovati == scenari.file_a || trovati == scenari.file_b)
            << "file di due compilazioni mescolati";
        EXPECT_EQ(nomi_in(uscita.percorso()), std::set<std::string>(binari.begin(), binari.end()));
    }
}

// A second run waits for the first, saying so once, then writes its own set.
TEST(CompilaSicura, UnaCompilazioneAttendeLaCartellaOccupata) {
    cartella_temporanea sorgenti;
    prova::esporta_incorporate(sorgenti.percorso());
    cartella_temporanea uscita;
    auto blocco = std::make_unique<blocco_cartella>(uscita.percorso(), attesa_cartella, [] {});
    prova::processo_figlio compilazione(compila_in(sorgenti.percorso(), uscita.percorso()));
    const std::string attesa = "scenario-tool compile: " + uscita.percorso().string() +
                               " is in use by another run; waiting up to 30 s\n";
    ASSERT_TRUE(compilazione.attendi_testo(attesa));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_TRUE(nomi_in(uscita.percorso()).empty());
    blocco.reset();
    prova::fine_processo fine = compilazione.attendi();
    EXPECT_EQ(fine.stato, 0) << fine.errori;
    EXPECT_EQ(fine.errori.find(attesa), 0u) << fine.errori;
    EXPECT_EQ(fine.errori.find("waiting", attesa.size()), std::string::npos) << fine.errori;
    EXPECT_EQ(nomi_in(uscita.percorso()), std::set<std::string>(binari.begin(), binari.end()));
}

// SIGINT or SIGTERM in the middle of a long compilation: the private work folder goes, and the
// process still ends by the signal.
TEST(CompilaSicura, UnSegnaleInterrompeLaCompilazioneESvuotaLaCartellaDiLavoro) {
    cartella_temporanea sorgenti;
    prova::esporta_incorporate(sorgenti.percorso());
    // The longest line there is: the compilation runs long enough to be caught in the middle.
    prova::modifica(sorgenti / sorgente_linea, "lunghezza percorso,    57000",
                    "lunghezza percorso,    1000000");
    for (int segnale : {SIGTERM, SIGINT}) {
        SCOPED_TRACE(strsignal(segnale));
        cartella_temporanea temporanea;
        cartella_temporanea uscita;
        prova::avvio_processo avvio = compila_in(sorgenti.percorso(), uscita.percorso());
        avvio.ambiente = {"TMPDIR=" + temporanea.percorso().string()};
        prova::processo_figlio compilazione(avvio);
        // The work folder holds both copies once the compiler has started.
        bool in_corso = false;
        for (int n = 0; n < 5000 && !in_corso; ++n) {
            for (const auto& voce : std::filesystem::directory_iterator(temporanea.percorso())) {
                // Counted without throwing: the folder may go while it is read.
                std::error_code ignora;
                auto copie = std::distance(std::filesystem::directory_iterator(voce.path(), ignora),
                                           std::filesystem::directory_iterator());
                if (copie >= 2) in_corso = true;
            }
            if (!in_corso) std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        ASSERT_TRUE(in_corso) << "nessuna cartella di lavoro";
        kill(compilazione.pid(), segnale);
        prova::fine_processo fine = compilazione.attendi();
        EXPECT_FALSE(fine.uscito) << "la compilazione è finita prima del segnale: " << fine.errori;
        EXPECT_EQ(fine.stato, segnale);
        EXPECT_TRUE(nomi_in(temporanea.percorso()).empty());
        // Whatever was not complete in the output folder waits for the next run.
        for (const auto& nome : nomi_in(uscita.percorso())) EXPECT_TRUE(e_nome_temporaneo(nome));
    }
}

// Leftovers of a killed run go; the author's own files, and links planted where the output's
// temporary files once went, stay, and nothing is written through a link.
TEST(CompilaSicura, RimuoveSoloITemporaneiRimastiENonSegueCollegamenti) {
    cartella_temporanea dir;
    cartella_temporanea fuori;
    prova::esporta_incorporate(dir.percorso());
    scrivi_tutto(fuori / "vittima", "intatto");
    scrivi_tutto(dir / "~scenario-aaaaaaaaaaaa.tmp", "rimasto di una run uccisa");
    scrivi_tutto(dir / "mio.tmp", "dell'autore");
    std::set<std::string> attesi = {"mio.tmp", sorgente_linea,
                                    "Lerno_Castelbrum_Pusena_27364-.txt"};
    for (const auto& nome : binari) {
        std::filesystem::create_symlink(fuori / "vittima", dir / (nome + ".tmp"));
        attesi.insert(nome + ".tmp");
        attesi.insert(nome);
    }
    prova::fine_processo fine =
        prova::processo_figlio(compila_in(dir.percorso(), dir.percorso())).attendi();
    EXPECT_EQ(fine.stato, 0) << fine.errori;
    EXPECT_EQ(nomi_in(dir.percorso()), attesi);
    EXPECT_EQ(leggi_tutto(fuori / "vittima"), "intatto");
    for (const auto& nome : binari) {
        EXPECT_EQ(leggi_tutto(dir / nome), leggi_tutto(prova::file_del_programma() / nome)) << nome;
    }
}

// Names the system takes are written, even when the name plus ".tmp" would not be.
TEST(CompilaSicura, UnNomeDiScenarioAlLimiteDelSistemaSiCompila) {
    cartella_temporanea dir;
    // "NAME_linea.txt" and "NAME_linea.dat" are 255 bytes, the most a Linux file name takes.
    const std::string nome(245, 'S');
    ASSERT_EQ(
        prova::strumento({"sources", dir.percorso().string(), "--scenario", nome, "--train", "1"})
            .stato,
        0);
    prova::esito_strumento e =
        prova::strumento({"compile", dir.percorso().string(), "--scenario", nome, "--train", "1"});
    EXPECT_EQ(e.stato, 0) << e.errori;
    EXPECT_EQ(nomi_in(dir.percorso()),
              (std::set<std::string>{nome + "_linea.txt", nome + "_1-.txt", nome + "_linea.dat",
                                     nome + "_1.sim", nome + "_1.dat"}));
}

}  // namespace
}  // namespace scenario
