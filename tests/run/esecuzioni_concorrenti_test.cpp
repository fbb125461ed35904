// Copies of the real program started together in one folder: one runs at a time, and every file
// comes from a whole run.
#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "support/cartella_temporanea.h"
#include "support/processo_figlio.h"
#include "textfile/blocco_cartella.h"

namespace scenario {
namespace {

using prova::cartella_temporanea;
using prova::leggi_tutto;
using contenuti = std::map<std::string, std::string>;

class EsecuzioniConcorrenti : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::copy_file(ESEGUIBILE_PROGRAMMA, cartella / "programma");
    }

    prova::avvio_processo avvio() const {
        prova::avvio_processo a;
        a.programma = cartella / "programma";
        a.cartella = cartella.percorso();
        return a;
    }

    contenuti cartella_ora() const {
        contenuti trovati;
        for (const auto& voce : std::filesystem::directory_iterator(cartella.percorso())) {
            std::string nome = voce.path().filename().string();
            if (nome != "programma") trovati[nome] = leggi_tutto(voce.path());
        }
        return trovati;
    }

    std::string attesa() const {
        return "Cartella " + cartella.percorso().string() +
               " in uso da un'altra esecuzione: attendo fino a 30 s\n";
    }

    cartella_temporanea cartella;
};

// The six files of a run alone, for comparison.
const contenuti& run_da_sola() {
    static const contenuti file = [] {
        cartella_temporanea c;
        std::filesystem::copy_file(ESEGUIBILE_PROGRAMMA, c / "programma");
        prova::avvio_processo a;
        a.programma = c / "programma";
        a.cartella = c.percorso();
        prova::fine_processo fine = prova::processo_figlio(a).attendi();
        if (!fine.uscito || fine.stato != 0) throw std::runtime_error(fine.errori);
        contenuti letti;
        for (const auto& voce : std::filesystem::directory_iterator(c.percorso())) {
            std::string nome = voce.path().filename().string();
            if (nome != "programma") letti[nome] = leggi_tutto(voce.path());
        }
        return letti;
    }();
    return file;
}

TEST_F(EsecuzioniConcorrenti, DueCopieInsiemeFinisconoEntrambeConISeiFile) {
    ASSERT_EQ(run_da_sola().size(), 6u);
    for (int prova_n = 0; prova_n < 5; ++prova_n) {
        SCOPED_TRACE("prova " + std::to_string(prova_n));
        prova::processo_figlio uno(avvio());
        prova::processo_figlio due(avvio());
        const prova::fine_processo fine[] = {uno.attendi(), due.attendi()};
        for (const prova::fine_processo& f : fine) {
            ASSERT_TRUE(f.uscito);
            EXPECT_EQ(f.stato, 0) << f.errori;
            // Nothing on standard error but, for the one that came second, that it waits.
            EXPECT_TRUE(f.errori.empty() || f.errori == attesa()) << f.errori;
        }
        EXPECT_TRUE(cartella_ora() == run_da_sola());
    }
}

// The program waits while the folder is held, writing nothing, and goes on once it is free.
TEST_F(EsecuzioniConcorrenti, UnaRunAttendeChiTieneLaCartellaEPoiProsegue) {
    auto blocco =
        std::make_unique<blocco_cartella>(cartella.percorso(), std::chrono::milliseconds(0), [] {});
    prova::processo_figlio run(avvio());
    ASSERT_TRUE(run.attendi_testo(attesa()));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_TRUE(cartella_ora().empty());
    blocco.reset();
    prova::fine_processo fine = run.attendi();
    ASSERT_TRUE(fine.uscito);
    EXPECT_EQ(fine.stato, 0) << fine.errori;
    EXPECT_EQ(fine.errori, attesa());
    EXPECT_TRUE(cartella_ora() == run_da_sola());
}

// Held for longer than the wait: the run stops with a message and status 3, and the folder is as
// it was (the sources of the run that holds it are not this run's to remove).
TEST_F(EsecuzioniConcorrenti, UnaCartellaTenutaOltreLAttesaFermaLaRunConStatoTre) {
    const std::string sorgente = "Lerno_Castelbrum_Pusena_linea.txt";
    prova::scrivi_tutto(cartella / sorgente, "di chi tiene la cartella");
    blocco_cartella blocco(cartella.percorso(), std::chrono::milliseconds(0), [] {});
    prova::fine_processo fine = prova::processo_figlio(avvio()).attendi();
    ASSERT_TRUE(fine.uscito);
    EXPECT_EQ(fine.stato, 3);
    EXPECT_EQ(fine.errori, attesa() + "Cartella " + cartella.percorso().string() +
                               " ancora in uso da un'altra esecuzione dopo 30 s: nessun file "
                               "scritto\n");
    EXPECT_TRUE(cartella_ora() == (contenuti{{sorgente, "di chi tiene la cartella"}}));
}

}  // namespace
}  // namespace scenario
