#include "verifica/verifica_sorgenti.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "line/sorgente_linea.h"
#include "model/diagnostica.h"
#include "run/piattaforma.h"
#include "support/cartella_temporanea.h"
#include "textfile/scrittore_testo.h"
#include "train/sorgente_treno.h"

namespace scenario {
namespace {

const std::string file_linea = "Lerno_Castelbrum_Pusena_linea.txt";
const std::string file_treno = "Lerno_Castelbrum_Pusena_27364-.txt";

std::string linea_incorporata() { return testo_da_elenco(elenco_sorgente_linea()); }
std::string treno_incorporato() { return testo_da_elenco(elenco_sorgente_treno()); }

sorgenti_da_compilare sorgenti(std::string linea, std::string treno, std::int32_t j = 1) {
    sorgenti_da_compilare s;
    s.nome_scenario = "Lerno_Castelbrum_Pusena";
    s.numero_treno = "27364";
    s.sorgente_linea = std::move(linea);
    s.sorgente_treno = std::move(treno);
    s.j = j;
    return s;
}

std::string testo_diagnostiche(const std::vector<diagnostica>& elenco) {
    std::string testo;
    for (const diagnostica& d : elenco) {
        testo += std::string(nome_gravita(d.livello)) + " " +
                 (d.nome.empty() ? std::to_string(d.codice) : d.nome) + " " + d.file + ":" +
                 std::to_string(d.riga) + ":" + std::to_string(d.colonna) + " " + d.messaggio +
                 "\n";
    }
    return testo;
}

// 1-based line of the first line that begins with `inizio`.
std::int32_t riga_che_inizia(const std::string& testo, const std::string& inizio) {
    std::int32_t riga = 1;
    std::size_t da = 0;
    while (da < testo.size()) {
        if (testo.compare(da, inizio.size(), inizio) == 0) return riga;
        std::size_t lf = testo.find('\n', da);
        if (lf == std::string::npos) break;
        da = lf + 1;
        ++riga;
    }
    return 0;
}

std::string sostituito(std::string testo, const std::string& vecchio, const std::string& nuovo) {
    std::size_t dove = testo.find(vecchio);
    EXPECT_NE(dove, std::string::npos) << vecchio;
    if (dove != std::string::npos) testo.replace(dove, vecchio.size(), nuovo);
    return testo;
}

TEST(Verifica, LeSorgentiIncorporateNonDannoNeErroriNeAvvisi) {
    for (std::int32_t j : {1, 0}) {
        std::vector<diagnostica> elenco =
            verifica_sorgenti(sorgenti(linea_incorporata(), treno_incorporato(), j));
        EXPECT_TRUE(elenco.empty()) << "j = " << j << "\n" << testo_diagnostiche(elenco);
    }
}

// One mistake in the built-in sources, and the one diagnostic it must give.
struct caso {
    const char* nome;
    bool nella_linea;     // the mistake is in the line source (else in the train source)
    const char* vecchio;  // replaced once
    const char* nuovo;
    gravita livello;
    std::int32_t codice;      // for errors
    const char* avviso;       // for warnings
    const char* inizio_riga;  // the expected line begins so; nullptr: the line is not checked
    const char* campo;        // the expected column is where this text begins on that line;
                              // "$" just past the line's end; nullptr: column 1
    bool solo;                // the only diagnostic
};

const caso casi[] = {
    {"parola sbagliata nella linea", true, "pendenza,  19300,   10", "pendnza,  19300,   10",
     gravita::avviso, 0, "unknown-record", "pendnza", nullptr, true},
    {"parola sbagliata nel treno", false, "stazione,    8400", "stazone,    8400", gravita::avviso,
     0, "unknown-record", "stazone", nullptr, true},
    {"sezione sconosciuta", true, "[montagne]", "[montagnole]", gravita::avviso, 0,
     "unknown-section", "[montagnole]", nullptr, true},
    {"campo di testo preso dalla riga dopo", true, "pendenza,  51200,   4", "pendenza  51200,   4",
     gravita::errore, 25, nullptr, "pendenza  51200", "$", true},
    {"numero preso dalla riga dopo", false, "velocita,     800,   100",
     "velocita,     800\r\n   100", gravita::avviso, 0, "record-runs-on", "velocita,     800", "$",
     true},
    {"campi avanzati a fine riga", true, "montagna,   2800,  3250,  2",
     "montagna,   2800,  3250,  2,  7", gravita::avviso, 0, "trailing-fields", "montagna,   2800",
     "7", true},
    {"testo UTF-8", false, "LERNO", "LERN\xC3\x80", gravita::avviso, 0, "utf8-text",
     "stazione,       0", "\xC3\x80", true},
    {"pendenze fuori ordine", true, "pendenza,  19500,   35", "pendenza,  19200,   35",
     gravita::avviso, 0, "gradient-order", "pendenza,  19200", "19200", true},
    {"curve sovrapposte", true, "curvad4,  1900,  400", "curvad4,  1000,  400", gravita::avviso, 0,
     "curve-overlap", "curvad4,  1000", "1000", true},
    {"curve fuori ordine", true, "curvad4,  1900,  400", "curvad4,  500,  400", gravita::avviso, 0,
     "curve-order", "curvad4,  500", "500", true},
    {"velocita non multipla di 5", true, "indicatori_vmax,  44550,  85,",
     "indicatori_vmax,  44550,  87,", gravita::avviso, 0, "value-rounded",
     "indicatori_vmax,  44550", "87", true},
    {"pendenza oltre 8 bit", true, "pendenza,  19300,   10", "pendenza,  19300,   200",
     gravita::avviso, 0, "value-wrapped", "pendenza,  19300", "200", true},
    {"righe chiuse dal solo CR", true, "sfondo tre,    16400\r\n", "sfondo tre,    16400\r",
     gravita::avviso, 0, "cr-line-end", "sfondo tre", "\r", false},
    {"segnale su un segnale", false, "segnale,    2800,", "segnale,    1500,", gravita::errore, 16,
     nullptr, "segnale,    1500,   1, 4, 0,  0, 0,    0,  0,0,0, 0\r\nsegnale,    1500", "1500",
     true},
    {"stazione fuori griglia", false, "stazione,    8400,", "stazione,    8425,", gravita::errore,
     8, nullptr, "stazione,    8425", "8425", true},
    {"campo oltre la sua larghezza", false, "stazione,       0,  8,  400,  1,",
     "stazione,       0,  8,  400,  300,", gravita::errore, 25, nullptr, "stazione,       0", "300",
     true},
    {"riga oltre la linea", false, "rallentamento,   21400", "rallentamento,   99400",
     gravita::errore, 15, nullptr, "rallentamento", "99400", true},
    {"curva senza classe", true, "curvas4,  600,  500", "curvas,  600,  500", gravita::errore, 103,
     nullptr, "curvas,  600", nullptr, true},
    {"linea troppo lunga", true, "lunghezza percorso,    57000", "lunghezza percorso,    1057000",
     gravita::errore, 1, nullptr, "lunghezza percorso", "1057000", true},
};

class CasiVerifica : public testing::TestWithParam<caso> {};

TEST_P(CasiVerifica, DannoLaDiagnosticaAttesaAllaRigaEColonnaDelCampo) {
    const caso& c = GetParam();
    std::string linea = linea_incorporata();
    std::string treno = treno_incorporato();
    std::string& toccata = c.nella_linea ? linea : treno;
    toccata = sostituito(toccata, c.vecchio, c.nuovo);
    std::vector<diagnostica> elenco = verifica_sorgenti(sorgenti(linea, treno));

    std::int32_t riga = 0;
    std::int32_t colonna = 1;
    if (c.inizio_riga != nullptr) {
        // A multi-line start means its last line.
        std::string inizio = c.inizio_riga;
        std::size_t ultimo_lf = inizio.rfind('\n');
        std::int32_t in_piu = 0;
        for (char ch : inizio) in_piu += ch == '\n';
        riga = riga_che_inizia(toccata, inizio) + in_piu;
        std::string prima = ultimo_lf == std::string::npos ? inizio : inizio.substr(ultimo_lf + 1);
        std::size_t da = toccata.find(prima, toccata.find(inizio));
        std::size_t fine = toccata.find_first_of("\r\n", da);
        std::string testo_riga = toccata.substr(da, fine - da);
        if (c.campo == nullptr) {
            colonna = 1;
        } else if (std::string(c.campo) == "$") {
            colonna = static_cast<std::int32_t>(testo_riga.size()) + 1;
        } else {
            std::size_t n = toccata.find(c.campo, da);
            std::size_t inizio_riga = da;
            colonna = static_cast<std::int32_t>(n - inizio_riga) + 1;
        }
    }

    const diagnostica* trovata = nullptr;
    for (const diagnostica& d : elenco) {
        bool uguale = d.livello == c.livello &&
                      (c.livello == gravita::errore ? d.codice == c.codice : d.nome == c.avviso);
        if (uguale) trovata = &d;
    }
    ASSERT_NE(trovata, nullptr) << c.nome << "\n" << testo_diagnostiche(elenco);
    EXPECT_EQ(trovata->file, c.nella_linea ? file_linea : file_treno) << c.nome;
    if (c.inizio_riga != nullptr) {
        EXPECT_EQ(trovata->riga, riga) << c.nome << "\n" << testo_diagnostiche(elenco);
        EXPECT_EQ(trovata->colonna, colonna) << c.nome << "\n" << testo_diagnostiche(elenco);
    }
    if (c.solo) {
        EXPECT_EQ(elenco.size(), 1u) << c.nome << "\n" << testo_diagnostiche(elenco);
    }
}

INSTANTIATE_TEST_SUITE_P(UnErroreCiascuna, CasiVerifica, testing::ValuesIn(casi),
                         [](const testing::TestParamInfo<caso>& info) {
                             return "caso_" + std::to_string(info.index);
                         });

TEST(Verifica, UnaParolaSbagliataSuggerisceLaParolaVicina) {
    std::string linea = sostituito(linea_incorporata(), "pendenza,  19300", "pendnza,  19300");
    std::string treno = sostituito(treno_incorporato(), "segnale,    1500", "segnal,    1500");
    std::vector<diagnostica> elenco = verifica_sorgenti(sorgenti(linea, treno));
    ASSERT_EQ(elenco.size(), 2u) << testo_diagnostiche(elenco);
    EXPECT_NE(elenco[0].messaggio.find("did you mean \"pendenza\"?"), std::string::npos);
    EXPECT_NE(elenco[1].messaggio.find("did you mean \"segnale\"?"), std::string::npos);
    // Nothing close: no guess.
    linea = sostituito(linea_incorporata(), "pendenza,  19300", "zzz,  19300");
    elenco = verifica_sorgenti(sorgenti(linea, treno_incorporato()));
    ASSERT_EQ(elenco.size(), 1u) << testo_diagnostiche(elenco);
    EXPECT_EQ(elenco[0].messaggio.find("did you mean"), std::string::npos);
}

TEST(Verifica, UnaCurvaCheIniziaDoveFinisceLaPrecedenteNonSovrappone) {
    std::string linea =
        sostituito(linea_incorporata(), "curvad4,  1900,  400", "curvad4,  1100,  400");
    std::vector<diagnostica> elenco = verifica_sorgenti(sorgenti(linea, treno_incorporato()));
    EXPECT_TRUE(elenco.empty()) << testo_diagnostiche(elenco);
}

TEST(Verifica, UnTrenoSenzaGeneraleOSenzaStazioniLoDice) {
    struct {
        const char* treno;
        const char* avviso;
    } const treni[] = {
        {"testo a caso\r\nsenza nulla\r\n", "no-generale"},
        {"[generale]\r\nnumero vetture,    6\r\n[fine]\r\n", "no-stations"},
    };
    for (const auto& t : treni) {
        std::vector<diagnostica> elenco = verifica_sorgenti(sorgenti(linea_incorporata(), t.treno));
        ASSERT_EQ(elenco.size(), 1u) << t.avviso << "\n" << testo_diagnostiche(elenco);
        EXPECT_EQ(elenco[0].nome, t.avviso);
        EXPECT_EQ(elenco[0].livello, gravita::avviso);
        EXPECT_EQ(elenco[0].file, file_treno);
        EXPECT_EQ(elenco[0].riga, 1);
    }
}

// A signal on the cell of an indication board: the note names the board in the other file.
TEST(Verifica, UnaCellaOccupataNominaChiLaOccupaAncheNellAltroFile) {
    std::string treno = sostituito(treno_incorporato(), "segnale,    1500,", "segnale,     550,");
    std::vector<diagnostica> elenco = verifica_sorgenti(sorgenti(linea_incorporata(), treno));
    ASSERT_EQ(elenco.size(), 1u) << testo_diagnostiche(elenco);
    const diagnostica& d = elenco[0];
    EXPECT_EQ(d.codice, 16);
    EXPECT_EQ(d.posizione, 550);
    ASSERT_EQ(d.note.size(), 1u);
    EXPECT_EQ(d.note[0].file, file_linea);
    EXPECT_EQ(d.note[0].riga, riga_che_inizia(linea_incorporata(), "cartello_indicatore,  550,"));
    EXPECT_EQ(d.note[0].colonna, 1);
    EXPECT_NE(d.note[0].messaggio.find("indication board"), std::string::npos);
}

// "lunghezza percorso, 20 000" reads 20 m: one error, with a note at the length row, and the
// stray "000" told at that row; not a hundred codes 15.
TEST(Verifica, UnaLunghezzaSbagliataDaUnSoloErroreConUnaNotaAllaRigaDellaLunghezza) {
    std::string linea = sostituito(linea_incorporata(), "lunghezza percorso,    57000",
                                   "lunghezza percorso, 20 000");
    std::vector<diagnostica> elenco = verifica_sorgenti(sorgenti(linea, treno_incorporato()));
    std::vector<const diagnostica*> errori;
    for (const diagnostica& d : elenco) {
        if (d.livello == gravita::errore) errori.push_back(&d);
    }
    ASSERT_EQ(errori.size(), 1u) << testo_diagnostiche(elenco);
    bool nota_alla_lunghezza = false;
    for (const nota_diagnostica& n : errori[0]->note) {
        nota_alla_lunghezza |= n.file == file_linea && n.riga == 2;
    }
    EXPECT_TRUE(nota_alla_lunghezza) << testo_diagnostiche(elenco);
    ASSERT_FALSE(elenco.empty());
    EXPECT_EQ(elenco[0].nome, "trailing-fields");
    EXPECT_EQ(elenco[0].riga, 2);
}

// A code recorded at the end of a source (chainage "uno" starting at 8 m: code 2 after the train
// source) is listed, even when the stamps then stop on the board at 1 m (code 1250): it used to
// wait in the run state until the end, where the stamp's code had replaced it.
TEST(Verifica, UnCodiceDiFineLetturaRestaSottoIlTimbroCheSegue) {
    const std::string linea =
        "[generale]\nlunghezzapercorso,57000\nprogressivauno,8 0,\n[]\ncartelloindicat,1 2";
    std::vector<diagnostica> elenco = verifica_sorgenti(sorgenti(linea, treno_incorporato()));
    std::vector<std::int32_t> codici;
    for (const diagnostica& d : elenco) {
        if (d.livello == gravita::errore) codici.push_back(d.codice);
    }
    EXPECT_EQ(codici, (std::vector<std::int32_t>{2, 1250})) << testo_diagnostiche(elenco);
}

std::string leggi(const std::filesystem::path& file) { return prova::leggi_tutto(file); }

const std::filesystem::path progetto = CARTELLA_PROGETTO;

TEST(Verifica, LaFixtureConPiuErroriLiDaTuttiInUnaVolta) {
    const std::filesystem::path dir = progetto / "tests/verifica/fixtures/cinque_errori";
    std::vector<diagnostica> elenco =
        verifica_sorgenti(sorgenti(leggi(dir / file_linea), leggi(dir / file_treno)));
    struct atteso {
        const char* file;
        std::int32_t riga;
        const char* nome_o_codice;
    } const attesi[] = {
        {"linea", 12, "curve-overlap"},
        {"linea", 63, "unknown-record"},
        {"linea", 100, "25"},
        {"linea", 121, "value-rounded"},
        {"treno", 29, "unknown-record"},
        {"treno", 34, "utf8-text"},
        {"treno", 40, "16"},
    };
    EXPECT_EQ(elenco.size(), std::size(attesi)) << testo_diagnostiche(elenco);
    for (const atteso& a : attesi) {
        const std::string& file = std::string(a.file) == "linea" ? file_linea : file_treno;
        bool trovata = false;
        for (const diagnostica& d : elenco) {
            std::string chiave = d.nome.empty() ? std::to_string(d.codice) : d.nome;
            trovata |= d.file == file && d.riga == a.riga && chiave == a.nome_o_codice;
        }
        EXPECT_TRUE(trovata) << a.file << ":" << a.riga << " " << a.nome_o_codice << "\n"
                             << testo_diagnostiche(elenco);
    }
}

// Over every input: the first code the compiler records, with its position and row, is one of
// check's errors.
void primo_codice_tra_gli_errori(const sorgenti_da_compilare& da_compilare,
                                 const std::string& nome) {
    sorgenti_da_compilare compilate = da_compilare;
    raccolta_diagnostiche avvisi(false);
    compilate.diagnostiche = &avvisi;
    piattaforma_muta schermo;
    compilazione_privata compilazione(compilate, schermo);
    std::vector<diagnostica> elenco = verifica_sorgenti(da_compilare);

    std::optional<raccolta_diagnostiche::codice_registrato> primo = avvisi.primo_codice();
    if (!primo && compilazione.fermata_dai_timbri()) {
        primo = raccolta_diagnostiche::codice_registrato{
            compilazione.stato().codice_errore, 0, false, {}};
    }
    if (!primo) {
        for (const diagnostica& d : elenco) {
            EXPECT_NE(d.livello, gravita::errore) << nome << "\n" << testo_diagnostiche(elenco);
        }
        return;
    }
    bool trovato = false;
    for (const diagnostica& d : elenco) {
        if (d.livello != gravita::errore || d.codice != primo->codice) continue;
        if (primo->con_posizione && d.posizione != primo->posizione) continue;
        if (!primo->luogo.file.empty() &&
            (d.file != primo->luogo.file || d.riga != primo->luogo.riga)) {
            continue;
        }
        trovato = true;
    }
    EXPECT_TRUE(trovato) << nome << ": code " << primo->codice << " at " << primo->posizione
                         << " m, " << primo->luogo.file << ":" << primo->luogo.riga << "\n"
                         << testo_diagnostiche(elenco);
}

// What a compilation writes and records is the same with the warnings' sink as without one.
void compilazione_invariata(const sorgenti_da_compilare& da_compilare, const std::string& nome) {
    piattaforma_muta schermo;
    compilazione_privata senza(da_compilare, schermo);
    sorgenti_da_compilare con_avvisi = da_compilare;
    raccolta_diagnostiche avvisi(false);
    con_avvisi.diagnostiche = &avvisi;
    compilazione_privata con(con_avvisi, schermo);
    EXPECT_EQ(con.stato().codice_errore, senza.stato().codice_errore) << nome;
    EXPECT_EQ(con.stato().posizione_errore, senza.stato().posizione_errore) << nome;
    EXPECT_EQ(con.fermata_dai_timbri(), senza.fermata_dai_timbri()) << nome;
    ASSERT_EQ(con.file_binari(), senza.file_binari()) << nome;
    for (const std::string& file : senza.file_binari()) {
        EXPECT_EQ(con.leggi(file), senza.leggi(file)) << nome << ": " << file;
    }
}

TEST(Verifica, SuOgniIngressoIlPrimoCodiceETraGliErroriELaCompilazioneNonCambia) {
    const std::filesystem::path dir = progetto / "tests/verifica/fixtures/cinque_errori";
    primo_codice_tra_gli_errori(sorgenti(leggi(dir / file_linea), leggi(dir / file_treno)),
                                "cinque_errori");
    compilazione_invariata(sorgenti(leggi(dir / file_linea), leggi(dir / file_treno)),
                           "cinque_errori");
    for (const caso& c : casi) {
        std::string linea = linea_incorporata();
        std::string treno = treno_incorporato();
        (c.nella_linea ? linea : treno) =
            sostituito(c.nella_linea ? linea : treno, c.vecchio, c.nuovo);
        primo_codice_tra_gli_errori(sorgenti(linea, treno), c.nome);
        compilazione_invariata(sorgenti(linea, treno), c.nome);
    }
    // The corpus: a line input goes with the built-in train, a train input with the built-in
    // line compiled without its geometry, as the fuzzing harnesses take them.
    for (const char* cartella : {"linea", "treno"}) {
        for (const auto& voce :
             std::filesystem::directory_iterator(progetto / "fuzz/corpus" / cartella)) {
            std::string ingresso = leggi(voce.path());
            bool linea = std::string(cartella) == "linea";
            sorgenti_da_compilare s = linea ? sorgenti(ingresso, treno_incorporato())
                                            : sorgenti(linea_incorporata(), ingresso, 0);
            primo_codice_tra_gli_errori(s, voce.path().filename().string());
            compilazione_invariata(s, voce.path().filename().string());
        }
    }
}

}  // namespace
}  // namespace scenario
