#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

#include "banco_strumento.h"
#include "line/sorgente_linea.h"
#include "output/lettura_formato.h"
#include "textfile/scrittore_testo.h"
#include "train/sorgente_treno.h"

namespace scenario {
namespace {

using prova::cartella_temporanea;
using prova::leggi_tutto;
using prova::scrivi_tutto;
using prova::strumento;

const std::string sorgente_linea = "Lerno_Castelbrum_Pusena_linea.txt";
const std::string sorgente_treno = "Lerno_Castelbrum_Pusena_27364-.txt";
const std::string file_linea = "Lerno_Castelbrum_Pusena_linea.dat";
const std::string file_sim = "Lerno_Castelbrum_Pusena_27364.sim";
const std::string file_dat = "Lerno_Castelbrum_Pusena_27364.dat";

std::set<std::string> nomi_in(const std::filesystem::path& cartella) {
    std::set<std::string> nomi;
    for (const auto& voce : std::filesystem::directory_iterator(cartella)) {
        nomi.insert(voce.path().filename().string());
    }
    return nomi;
}

std::vector<std::string> compila(const std::filesystem::path& dir,
                                 std::vector<std::string> altre = {}) {
    std::vector<std::string> parole = {"compile",    dir.string(),
                                       "--scenario", prova::scenario_incorporato,
                                       "--train",    prova::treno_incorporato};
    parole.insert(parole.end(), altre.begin(), altre.end());
    return parole;
}

// The sources exactly as the program writes them: the author's copy must still hold these.
void sorgenti_intatte(const std::filesystem::path& dir) {
    EXPECT_EQ(leggi_tutto(dir / sorgente_linea), testo_da_elenco(elenco_sorgente_linea()));
    EXPECT_EQ(leggi_tutto(dir / sorgente_treno), testo_da_elenco(elenco_sorgente_treno()));
}

TEST(Compila, LeSorgentiIncorporateDannoIByteDelProgrammaELeSorgentiRestano) {
    cartella_temporanea dir;
    prova::esporta_incorporate(dir.percorso());
    prova::esito_strumento e = strumento(compila(dir.percorso()));

    EXPECT_EQ(e.stato, 0) << e.errori;
    EXPECT_EQ(e.uscita, "");
    EXPECT_EQ(nomi_in(dir.percorso()), (std::set<std::string>{sorgente_linea, sorgente_treno,
                                                              file_linea, file_sim, file_dat}));
    sorgenti_intatte(dir.percorso());
    for (const std::string& nome : {file_linea, file_sim, file_dat}) {
        EXPECT_EQ(leggi_tutto(dir / nome), leggi_tutto(prova::file_del_programma() / nome)) << nome;
        EXPECT_NE(e.errori.find("wrote " + (dir / nome).string()), std::string::npos) << e.errori;
    }
}

TEST(Compila, OutScriveAltroveELaCartellaDelleSorgentiNonCambia) {
    cartella_temporanea dir;
    prova::esporta_incorporate(dir / "sorgenti");
    prova::esito_strumento e =
        strumento(compila(dir / "sorgenti", {"--out", (dir / "nuova" / "uscita").string()}));

    EXPECT_EQ(e.stato, 0) << e.errori;
    EXPECT_EQ(nomi_in(dir / "sorgenti"), (std::set<std::string>{sorgente_linea, sorgente_treno}));
    sorgenti_intatte(dir / "sorgenti");
    EXPECT_EQ(nomi_in(dir / "nuova" / "uscita"),
              (std::set<std::string>{file_linea, file_sim, file_dat}));
}

TEST(Compila, SenzaLineaScriveDueFileELasciaIlVecchioFileDellaLinea) {
    cartella_temporanea dir;
    prova::esporta_incorporate(dir.percorso());
    scrivi_tutto(dir / file_linea, "vecchio");
    prova::esito_strumento e = strumento(compila(dir.percorso(), {"--no-line"}));

    EXPECT_EQ(e.stato, 0) << e.errori;
    EXPECT_EQ(leggi_tutto(dir / file_linea), "vecchio");
    EXPECT_EQ(e.errori.find(file_linea), std::string::npos) << e.errori;
    // Curves only shape the geometry: cells and records are the program's.
    EXPECT_EQ(leggi_tutto(dir / file_sim), leggi_tutto(prova::file_del_programma() / file_sim));
    EXPECT_EQ(leggi_tutto(dir / file_dat), leggi_tutto(prova::file_del_programma() / file_dat));
}

TEST(Compila, NomeENumeroDellAutoreDannoINomiDeiFileEDeiRecord) {
    cartella_temporanea dir;
    ASSERT_EQ(
        strumento({"sources", dir.percorso().string(), "--scenario", "Mia_Linea", "--train", "101"})
            .stato,
        0);
    prova::esito_strumento e = strumento(
        {"compile", dir.percorso().string(), "--scenario", "Mia_Linea", "--train", "101"});

    ASSERT_EQ(e.stato, 0) << e.errori;
    EXPECT_EQ(
        nomi_in(dir.percorso()),
        (std::set<std::string>{"Mia_Linea_linea.txt", "Mia_Linea_101-.txt", "Mia_Linea_linea.dat",
                               "Mia_Linea_101.sim", "Mia_Linea_101.dat"}));
    std::vector<punto> punti = formato::decodifica_punti(leggi_tutto(dir / "Mia_Linea_101.sim"));
    EXPECT_EQ(punti[85].nome, "Mia_Linea");
    EXPECT_EQ(punti[86].nome, "101");
    // Only the identity differs from the built-in scenario: the geometry is the same.
    EXPECT_EQ(leggi_tutto(dir / "Mia_Linea_linea.dat"),
              leggi_tutto(prova::file_del_programma() / file_linea));
}

// A fixture: one change to a built-in source, and what the author must be told.
struct caso_errore {
    const char* nome;
    bool nel_treno;  // which source is changed
    const char* vecchio;
    const char* nuovo;
    int stato;
    const char* codice;     // the start of the code line
    const char* posizione;  // nullptr: the code has no position
    const char* record;     // the row that raises the code (its last occurrence); nullptr: none
    bool file_scritti;
};

const caso_errore casi_errore[] = {
    {"SegnaleSuCellaOccupata", true, "segnale,    4150,   1, 4, 1,  0, 0,    2,  3,1,0, 0\r\n",
     "segnale,    4150,   1, 4, 1,  0, 0,    2,  3,1,0, 0\r\n"
     "segnale,    4150,   1, 4, 1,  0, 0,    2,  3,1,0, 0\r\n",
     1, "Errore 16: segnale su una cella non libera", ", alla posizione 4150 m",
     "segnale,    4150,", true},
    {"CurvaSenzaClasse", false, "curvas4,  600,  500", "curvas,  600,  500", 1,
     "Errore 103: curva senza classe", nullptr, "curvas,  600,  500", true},
    {"LineaSenzaGenerale", false, "[generale]", "[general]", 2,
     "Errore 102: sorgente della linea senza riga [generale]", nullptr, nullptr, false},
    // No cell 1 for the stamps: a fault of the source at its length row, not of the system.
    {"LunghezzaSenzaCellaUno", false, "lunghezza percorso,    57000", "lunghezza percorso,-7000", 2,
     "Errore 25: guasto durante la compilazione", nullptr, "lunghezza percorso,-7000", false},
    {"LunghezzaSenzaCellaUnoAlLimite", false, "lunghezza percorso,    57000",
     "lunghezza percorso,-6975", 2, "Errore 25: guasto durante la compilazione", nullptr,
     "lunghezza percorso,-6975", false},
    // A length row beyond the longest line after a good one: nothing written, as for the first.
    {"SecondaLunghezzaOltreIlMassimo", false, "lunghezza percorso,    57000",
     "lunghezza percorso,    57000\r\nlunghezza percorso,2000000", 2,
     "Errore 1: lunghezza del percorso oltre 1000000 m", nullptr, "lunghezza percorso,2000000",
     false},
    {"CartelloSulPostoDeiTimbri", false, "indicatori_vmax,  500,", "indicatori_vmax,  0,", 2,
     "Errore 1250: ", nullptr, nullptr, false},
};

class CompilaConErrore : public ::testing::TestWithParam<caso_errore> {};

std::size_t riga_di(const std::string& testo, const std::string& record) {
    std::size_t dove = testo.rfind(record);
    return 1 + static_cast<std::size_t>(
                   std::count(testo.begin(), testo.begin() + static_cast<long>(dove), '\n'));
}

TEST_P(CompilaConErrore, DiceCodicePosizioneERecordDellaSorgenteDellAutore) {
    const caso_errore& caso = GetParam();
    cartella_temporanea dir;
    prova::esporta_incorporate(dir.percorso());
    std::filesystem::path cambiata = dir / (caso.nel_treno ? sorgente_treno : sorgente_linea);
    prova::modifica(cambiata, caso.vecchio, caso.nuovo);
    std::string prima = leggi_tutto(cambiata);

    prova::esito_strumento e = strumento(compila(dir.percorso()));

    EXPECT_EQ(e.stato, caso.stato) << e.errori;
    std::string attesa = caso.codice;
    EXPECT_NE(e.errori.find(attesa), std::string::npos) << e.errori;
    std::size_t dopo_codice = e.errori.find('\n', e.errori.find(attesa));
    std::string riga_codice = e.errori.substr(0, dopo_codice);
    if (caso.posizione != nullptr) {
        EXPECT_NE(riga_codice.find(caso.posizione), std::string::npos) << riga_codice;
    } else {
        EXPECT_EQ(riga_codice.find("alla posizione"), std::string::npos) << riga_codice;
    }
    if (caso.record != nullptr) {
        std::string luogo =
            "(" + cambiata.string() + ":" + std::to_string(riga_di(prima, caso.record)) + ":1)";
        EXPECT_NE(riga_codice.find(luogo), std::string::npos) << riga_codice << "\n" << luogo;
    }
    // The author's files are never touched, whatever the compiler deleted in its copy.
    EXPECT_EQ(leggi_tutto(cambiata), prima);
    EXPECT_TRUE(std::filesystem::exists(dir / (caso.nel_treno ? sorgente_linea : sorgente_treno)));
    EXPECT_EQ(std::filesystem::exists(dir / file_sim), caso.file_scritti);
    EXPECT_EQ(std::filesystem::exists(dir / file_dat), caso.file_scritti);
    EXPECT_EQ(std::filesystem::exists(dir / file_linea), caso.file_scritti);
    if (!caso.file_scritti) {
        EXPECT_NE(e.errori.find("no binary file written"), std::string::npos) << e.errori;
    }
}

INSTANTIATE_TEST_SUITE_P(Casi, CompilaConErrore, ::testing::ValuesIn(casi_errore),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST(Compila, SorgenteDellaLineaAssenteECodice101SenzaFile) {
    cartella_temporanea dir;
    prova::esporta_incorporate(dir.percorso());
    std::filesystem::remove(dir / sorgente_linea);
    prova::esito_strumento e = strumento(compila(dir.percorso()));

    EXPECT_EQ(e.stato, 2);
    EXPECT_NE(e.errori.find("Errore 101: sorgente della linea assente: " +
                            (dir / sorgente_linea).string() + "\n"),
              std::string::npos)
        << e.errori;
    EXPECT_EQ(nomi_in(dir.percorso()), std::set<std::string>{sorgente_treno});
}

TEST(Compila, SorgenteDelTrenoAssenteVieneNominata) {
    cartella_temporanea dir;
    prova::esporta_incorporate(dir.percorso());
    std::filesystem::remove(dir / sorgente_treno);
    prova::esito_strumento e = strumento(compila(dir.percorso()));

    EXPECT_EQ(e.stato, 2);
    EXPECT_NE(
        e.errori.find("the train source " + (dir / sorgente_treno).string() + " does not exist"),
        std::string::npos)
        << e.errori;
    EXPECT_EQ(e.errori.find("Errore 25"), std::string::npos) << e.errori;
    EXPECT_EQ(nomi_in(dir.percorso()), std::set<std::string>{sorgente_linea});
}

// A folder at the name of the last file: the set cannot be written.
TEST(Compila, GuastoInScritturaEStatoTreELasciaIntattoIlFileVecchio) {
    cartella_temporanea dir;
    prova::esporta_incorporate(dir.percorso());
    scrivi_tutto(dir / file_sim, "vecchio");
    std::filesystem::create_directory(dir / file_dat);
    prova::esito_strumento e = strumento(compila(dir.percorso()));

    EXPECT_EQ(e.stato, 3) << e.errori;
    EXPECT_NE(e.errori.find("cannot write or read " + (dir / file_dat).string()), std::string::npos)
        << e.errori;
    // All or none: no new file stands beside the old one.
    EXPECT_EQ(leggi_tutto(dir / file_sim), "vecchio");
    EXPECT_FALSE(std::filesystem::exists(dir / file_linea));
    EXPECT_TRUE(std::filesystem::is_directory(dir / file_dat));
    sorgenti_intatte(dir.percorso());
}

// The working copy lives under TMPDIR: nothing of it may stay behind, on success or failure.
TEST(Compila, LaCartellaDiLavoroSparisceSempre) {
    cartella_temporanea dir;
    cartella_temporanea temporanea;
    const char* prima = std::getenv("TMPDIR");
    std::string vecchia = prima != nullptr ? prima : "";
    setenv("TMPDIR", temporanea.percorso().c_str(), 1);

    prova::esporta_incorporate(dir.percorso());
    EXPECT_EQ(strumento(compila(dir.percorso())).stato, 0);
    EXPECT_TRUE(std::filesystem::is_empty(temporanea.percorso()));
    prova::modifica(dir / sorgente_linea, "[generale]", "[general]");
    EXPECT_EQ(strumento(compila(dir.percorso())).stato, 2);
    EXPECT_TRUE(std::filesystem::is_empty(temporanea.percorso()));

    if (prima != nullptr) {
        setenv("TMPDIR", vecchia.c_str(), 1);
    } else {
        unsetenv("TMPDIR");
    }
}

}  // namespace
}  // namespace scenario
