#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "model/guasto.h"
#include "support/cartella_temporanea.h"
#include "support/sonda_registrata.h"
#include "textfile/file_disco.h"

namespace scenario {
namespace {

using prova::cartella_temporanea;
using prova::leggi_tutto;
using prova::scrivi_tutto;

const char* const nomi[] = {"a.dat", "b.sim", "c.dat"};

// Three older files, each longer than its replacement.
void prepara_vecchi(const cartella_temporanea& cartella) {
    for (const char* nome : nomi) scrivi_tutto(cartella / nome, std::string(5000, 'v') + nome);
}

std::vector<std::string> contenuti_nuovi() { return {"nuovo a", "nuovo b", "nuovo c"}; }

std::vector<contenuto_file> insieme_in(const cartella_temporanea& cartella,
                                       const std::vector<std::string>& contenuti) {
    std::vector<contenuto_file> insieme;
    for (std::size_t n = 0; n < contenuti.size(); ++n) {
        insieme.push_back({cartella / nomi[n], contenuti[n]});
    }
    return insieme;
}

std::vector<std::string> voci_della_cartella(const cartella_temporanea& cartella) {
    std::vector<std::string> voci;
    for (const auto& voce : std::filesystem::directory_iterator(cartella.percorso())) {
        voci.push_back(voce.path().filename().string());
    }
    std::sort(voci.begin(), voci.end());
    return voci;
}

TEST(SostituzioneInsieme, OgniFileSostituitoPerInteroENessunTemporaneo) {
    cartella_temporanea cartella;
    prepara_vecchi(cartella);
    const std::vector<std::string> nuovi = contenuti_nuovi();
    sostituisci_file(insieme_in(cartella, nuovi));
    for (std::size_t n = 0; n < nuovi.size(); ++n) {
        EXPECT_EQ(leggi_tutto(cartella / nomi[n]), nuovi[n]) << nomi[n];
    }
    EXPECT_EQ(voci_della_cartella(cartella), (std::vector<std::string>{"a.dat", "b.sim", "c.dat"}));
}

// Whichever file of the set cannot be written, and at whichever step, no file of the set
// changes: the older ones stay whole beside each other and every temporary file is gone.
TEST(SostituzioneInsieme, UnGuastoInScritturaNonCambiaNessunFile) {
    struct caso {
        std::size_t guasto;          // the file whose temporary cannot be written
        operazione_file operazione;  // the step that fails
        int errore;
        bool vecchi;  // older files present
    };
    const caso casi[] = {
        {0, operazione_file::scrivi, ENOSPC, true},  {1, operazione_file::scrivi, ENOSPC, true},
        {2, operazione_file::scrivi, ENOSPC, true},  {2, operazione_file::crea, EACCES, true},
        {1, operazione_file::svuota, EIO, true},     {2, operazione_file::chiudi, EIO, true},
        {2, operazione_file::scrivi, ENOSPC, false},
    };
    for (const caso& k : casi) {
        SCOPED_TRACE(std::string(nomi[k.guasto]) + ", " + nome_operazione(k.operazione) +
                     (k.vecchi ? ", con vecchi file" : ", senza vecchi file"));
        cartella_temporanea cartella;
        if (k.vecchi) prepara_vecchi(cartella);
        prova::sonda_registrata sonda;
        sonda.fallisci(k.operazione, nomi[k.guasto], k.errore);
        try {
            sostituisci_file(insieme_in(cartella, contenuti_nuovi()));
            ADD_FAILURE() << "nessun guasto";
        } catch (const guasto_file& e) {
            EXPECT_EQ(e.file(), (cartella / nomi[k.guasto]).string());
            EXPECT_EQ(e.causa(), std::strerror(k.errore));
        }
        for (const char* nome : nomi) {
            if (k.vecchi) {
                EXPECT_EQ(leggi_tutto(cartella / nome), std::string(5000, 'v') + nome) << nome;
            } else {
                EXPECT_FALSE(std::filesystem::exists(cartella / nome)) << nome;
            }
        }
        std::vector<std::string> attese;
        if (k.vecchi) attese.assign(std::begin(nomi), std::end(nomi));
        std::sort(attese.begin(), attese.end());
        EXPECT_EQ(voci_della_cartella(cartella), attese);
    }
}

// A file produced as it is written: its bytes arrive in pieces, and a producer that fails half-way
// (a fault of the model while the geometry is being encoded) changes no file of the set and
// leaves no temporary file.
TEST(SostituzioneInsieme, FileProdottiAPezziEUnProduttoreCheFallisceNonCambiaNulla) {
    cartella_temporanea cartella;
    prepara_vecchi(cartella);
    auto a_pezzi = [](destinazione_byte& d) {
        for (int n = 0; n < 3; ++n) d.ricevi("pezzo " + std::to_string(n) + ";");
    };
    sostituisci_file(std::vector<file_prodotto>{
        {cartella / nomi[0], a_pezzi},
        {cartella / nomi[1], [](destinazione_byte& d) { d.ricevi("nuovo b"); }}});
    EXPECT_EQ(leggi_tutto(cartella / nomi[0]), "pezzo 0;pezzo 1;pezzo 2;");
    EXPECT_EQ(leggi_tutto(cartella / nomi[1]), "nuovo b");

    prepara_vecchi(cartella);
    auto guasto = [](destinazione_byte& d) {
        d.ricevi("meta");
        throw guasto_esecuzione("valore fuori dal suo campo");
    };
    EXPECT_THROW(sostituisci_file(std::vector<file_prodotto>{{cartella / nomi[0], a_pezzi},
                                                             {cartella / nomi[1], guasto},
                                                             {cartella / nomi[2], a_pezzi}}),
                 guasto_esecuzione);
    for (const char* nome : nomi) {
        EXPECT_EQ(leggi_tutto(cartella / nome), std::string(5000, 'v') + nome) << nome;
    }
    EXPECT_EQ(voci_della_cartella(cartella), (std::vector<std::string>{"a.dat", "b.sim", "c.dat"}));
}

// Each temporary file is on the disk before it is renamed, no rename comes before every file of
// the set is complete, and the folder is flushed after the last rename.
TEST(SostituzioneInsieme, OgniSvuotamentoPrecedeLaSuaRinominaELaCartellaSegue) {
    cartella_temporanea cartella;
    prova::sonda_registrata sonda;
    sostituisci_file(insieme_in(cartella, contenuti_nuovi()));
    std::vector<std::string> passi;
    for (const auto& v : sonda.traccia) {
        std::string passo = nome_operazione(v.operazione);
        if (v.operazione == operazione_file::svuota && v.destinazione.empty()) {
            EXPECT_EQ(v.file, cartella.percorso());
            passo += " cartella";
        } else {
            passo += " " + v.destinazione.filename().string();
        }
        passi.push_back(passo);
    }
    EXPECT_EQ(passi, (std::vector<std::string>{
                         "crea a.dat", "scrivi a.dat", "svuota a.dat", "chiudi a.dat", "crea b.sim",
                         "scrivi b.sim", "svuota b.sim", "chiudi b.sim", "crea c.dat",
                         "scrivi c.dat", "svuota c.dat", "chiudi c.dat", "rinomina a.dat",
                         "rinomina b.sim", "rinomina c.dat", "svuota cartella"}));
}

// A folder at the name of the last file is found before the first rename.
TEST(SostituzioneInsieme, UnaCartellaAlPostoDiUnFileFermaTuttoPrimaDiRinominare) {
    cartella_temporanea cartella;
    prepara_vecchi(cartella);
    std::filesystem::remove(cartella / nomi[2]);
    std::filesystem::create_directory(cartella / nomi[2]);
    try {
        sostituisci_file(insieme_in(cartella, contenuti_nuovi()));
        FAIL() << "nessun guasto";
    } catch (const guasto_file& e) {
        EXPECT_EQ(e.file(), (cartella / nomi[2]).string());
        EXPECT_EQ(e.causa(), std::strerror(EISDIR));
    }
    EXPECT_EQ(leggi_tutto(cartella / nomi[0]), std::string(5000, 'v') + nomi[0]);
    EXPECT_EQ(leggi_tutto(cartella / nomi[1]), std::string(5000, 'v') + nomi[1]);
    EXPECT_EQ(voci_della_cartella(cartella), (std::vector<std::string>{"a.dat", "b.sim", "c.dat"}));
}

}  // namespace
}  // namespace scenario
