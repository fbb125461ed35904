#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "model/guasto.h"
#include "model/nomi_file.h"
#include "model/stato_run.h"
#include "output/file_binari.h"
#include "support/cartella_temporanea.h"
#include "support/senza_privilegi.h"

namespace scenario {
namespace {

using prova::leggi_tutto;
using prova::scrivi_tutto;

class ScritturaFileBinari : public ::testing::Test {
  protected:
    void prepara(std::int32_t scrivi_linea) {
        stato.nome_scenario = "Lerno";
        stato.numero_treno = "27364";
        stato.cartella = cartella.percorso();
        stato.scrivi_linea = scrivi_linea;
        dimensiona_modello(stato, 0);
        stato.percorso[7].tipo = 10;
        stato.percorso[7].dato1 = 1;
        stato.punti[1].nome = "CASTELBRUM 1";
        if (scrivi_linea != 0) {
            stato.profilo.imposta_intero(0, 0, 12);
            stato.profilo.imposta_reale(5, 1, 0.25);
        }
    }
    std::filesystem::path linea() const { return cartella / "Lerno_linea.dat"; }
    std::filesystem::path sim() const { return cartella / "Lerno_27364.sim"; }
    std::filesystem::path dat() const { return cartella / "Lerno_27364.dat"; }

    prova::cartella_temporanea cartella;
    stato_run stato;
};

TEST_F(ScritturaFileBinari, TreFileConLeLoroCodifiche) {
    prepara(1);
    scrivi_file_binari(stato);
    EXPECT_EQ(leggi_tutto(linea()), byte_profilo_linea(stato));
    EXPECT_EQ(leggi_tutto(sim()), byte_punti(stato));
    EXPECT_EQ(leggi_tutto(dat()), byte_percorso(stato));
    // Nothing else is left in the folder (no temporary files).
    int file = 0;
    for (const auto& voce : std::filesystem::directory_iterator(cartella.percorso())) {
        (void)voce;
        ++file;
    }
    EXPECT_EQ(file, 3);
}

TEST_F(ScritturaFileBinari, SenzaLineaLasciaIlVecchioFileDellaLinea) {
    prepara(0);
    scrivi_tutto(linea(), "vecchia geometria");
    scrivi_file_binari(stato);
    EXPECT_EQ(leggi_tutto(linea()), "vecchia geometria");
    EXPECT_EQ(leggi_tutto(sim()), byte_punti(stato));
    EXPECT_EQ(leggi_tutto(dat()), byte_percorso(stato));
}

TEST_F(ScritturaFileBinari, UnFilePiuLungoVieneSostituitoPerIntero) {
    prepara(1);
    std::string lungo(4'000'000, '\x5A');
    scrivi_tutto(linea(), lungo);
    scrivi_tutto(sim(), lungo);
    scrivi_tutto(dat(), lungo);
    scrivi_file_binari(stato);
    EXPECT_EQ(leggi_tutto(linea()), byte_profilo_linea(stato));
    EXPECT_EQ(leggi_tutto(sim()), byte_punti(stato));
    EXPECT_EQ(leggi_tutto(dat()), byte_percorso(stato));
}

TEST_F(ScritturaFileBinari, DueEsecuzioniDannoGliStessiFile) {
    prepara(1);
    scrivi_file_binari(stato);
    std::string primo[] = {leggi_tutto(linea()), leggi_tutto(sim()), leggi_tutto(dat())};
    scrivi_file_binari(stato);
    EXPECT_EQ(leggi_tutto(linea()), primo[0]);
    EXPECT_EQ(leggi_tutto(sim()), primo[1]);
    EXPECT_EQ(leggi_tutto(dat()), primo[2]);
}

// A fault in the model is found before any file is touched: no new file stands beside old ones,
// also where the file it concerns is produced only as it is written (the cells).
TEST_F(ScritturaFileBinari, GuastoNelModelloNonToccaNessunFile) {
    const std::function<void(stato_run&)> guasti[] = {
        [](stato_run& s) { s.punti[3].nome = std::string(40000, 'n'); },
        [](stato_run& s) { s.ultima_cella = static_cast<std::int32_t>(s.percorso.size()); },
    };
    for (const auto& guasta : guasti) {
        stato = stato_run{};
        prepara(1);
        std::filesystem::remove(sim());
        std::filesystem::remove(dat());
        scrivi_tutto(linea(), "vecchia geometria");
        guasta(stato);
        EXPECT_THROW(scrivi_file_binari(stato), guasto_esecuzione);
        EXPECT_EQ(leggi_tutto(linea()), "vecchia geometria");
        EXPECT_FALSE(std::filesystem::exists(sim()));
        EXPECT_FALSE(std::filesystem::exists(dat()));
    }
}

TEST_F(ScritturaFileBinari, CartellaNonScrivibileLasciaIVecchiFile) {
    prepara(1);
    scrivi_tutto(linea(), "vecchia linea");
    scrivi_tutto(sim(), "vecchio sim");
    scrivi_tutto(dat(), "vecchio dat");
    // Readable and searchable by all, writable by nobody (root included: the write runs as
    // "nobody").
    namespace fs = std::filesystem;
    fs::permissions(cartella.percorso(), fs::perms::owner_read | fs::perms::owner_exec |
                                             fs::perms::group_read | fs::perms::group_exec |
                                             fs::perms::others_read | fs::perms::others_exec);
    // 0: guasto_file naming the geometry with a reason; 1: no fault; 2: a fault without either.
    int esito = prova::esegui_senza_privilegi([&] {
        try {
            scrivi_file_binari(stato);
            return 1;
        } catch (const guasto_file& g) {
            return g.file().find("Lerno_linea.dat") != std::string::npos && !g.causa().empty() ? 0
                                                                                               : 2;
        }
    });
    EXPECT_EQ(esito, 0);
    EXPECT_EQ(leggi_tutto(linea()), "vecchia linea");
    EXPECT_EQ(leggi_tutto(sim()), "vecchio sim");
    EXPECT_EQ(leggi_tutto(dat()), "vecchio dat");
}

}  // namespace
}  // namespace scenario
