#include "output/lettura_formato.h"

#include <gtest/gtest.h>

#include <functional>

#include "line/sorgente_linea.h"
#include "model/nomi_file.h"
#include "output/formato_file.h"
#include "run/compilazione_privata.h"
#include "support/piattaforma_registrata.h"
#include "textfile/scrittore_testo.h"
#include "train/sorgente_treno.h"

namespace scenario {
namespace {

using formato::decodifica_celle;
using formato::decodifica_geometria;
using formato::decodifica_punti;

// The built-in scenario compiled in this process: its model and the files written from it.
class ScenarioCompilato : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        sorgenti_da_compilare sorgenti;
        sorgenti.nome_scenario = "Lerno_Castelbrum_Pusena";
        sorgenti.numero_treno = "27364";
        sorgenti.sorgente_linea = testo_da_elenco(elenco_sorgente_linea());
        sorgenti.sorgente_treno = testo_da_elenco(elenco_sorgente_treno());
        prova::piattaforma_registrata schermo;
        compilazione = new compilazione_privata(sorgenti, schermo);
        stato = &compilazione->stato();
        ASSERT_TRUE(compilazione->file_scritti());
        ASSERT_EQ(stato->codice_errore, 0);
    }
    static void TearDownTestSuite() { delete compilazione; }
    static std::string byte(const std::string& nome) { return compilazione->leggi(nome); }

    static compilazione_privata* compilazione;
    static const stato_run* stato;
};

compilazione_privata* ScenarioCompilato::compilazione = nullptr;
const stato_run* ScenarioCompilato::stato = nullptr;

TEST_F(ScenarioCompilato, LeCelleDecodificateSonoQuelleDelModello) {
    std::vector<cella> celle = decodifica_celle(byte(nome_file_dat(*stato)));
    ASSERT_EQ(celle.size(), stato->percorso.size());
    for (std::size_t n = 0; n < celle.size(); ++n) {
        ASSERT_EQ(celle[n], stato->percorso[static_cast<long long>(n)]) << "cell " << n;
    }
    // Spot values that a wrong offset or width would break: the stamps and a signal.
    EXPECT_EQ(celle[1].dato1, 5121);
    EXPECT_EQ(celle[1].dato2, 2414);
    EXPECT_EQ(celle[84].tipo, 1);
    EXPECT_EQ(celle[84].dato1, 43);
    EXPECT_EQ(celle[84].dato4, 5);
}

TEST_F(ScenarioCompilato, IRecordDecodificatiSonoQuelliDelModello) {
    std::vector<punto> punti = decodifica_punti(byte(nome_file_sim(*stato)));
    ASSERT_EQ(punti.size(), 87u);
    for (int n = 0; n < 87; ++n)
        EXPECT_EQ(punti[static_cast<std::size_t>(n)], stato->punti[n]) << n;
    EXPECT_EQ(punti[2].nome, "2\xB0 bivio LERNO NORD");
    EXPECT_EQ(punti[85].orario, 34360);
}

TEST_F(ScenarioCompilato, LaGeometriaDecodificataEQuellaDelModello) {
    profilo_linea g = decodifica_geometria(byte(nome_file_linea(*stato)));
    ASSERT_EQ(g.ultimo_metro(), stato->profilo.ultimo_metro());
    for (std::int32_t m = 0; m <= g.ultimo_metro(); ++m) {
        for (int c = 0; c <= 1; ++c) {
            ASSERT_EQ(g.tipo(m, c), stato->profilo.tipo(m, c)) << m << "," << c;
            // Bit for bit: the decoder must not round a double on the way.
            ASSERT_EQ(g.valore(m, c), stato->profilo.valore(m, c)) << m << "," << c;
        }
    }
}

enum class tipo { celle, punti, geometria };

void decodifica(tipo t, const std::string& byte) {
    switch (t) {
        case tipo::celle:
            decodifica_celle(byte);
            break;
        case tipo::punti:
            decodifica_punti(byte);
            break;
        case tipo::geometria:
            decodifica_geometria(byte);
            break;
    }
}

// A ".sim" record with every member 0, the given name length field and `nome` bytes after it.
std::string record(std::int16_t lunghezza, const std::string& nome = "") {
    std::string r(formato::in_punto::lunghezza_nome, '\0');
    r += static_cast<char>(lunghezza & 0xFF);
    r += static_cast<char>((lunghezza >> 8) & 0xFF);
    r += nome;
    r += std::string(formato::byte_punto_senza_nome - formato::in_punto::nome, '\0');
    return r;
}

constexpr std::size_t lunghezza_nome = formato::in_punto::lunghezza_nome;
constexpr std::size_t byte_punto = formato::byte_punto_senza_nome;
constexpr std::size_t byte_cella = formato::byte_cella;

std::string records(int quanti) {
    std::string r;
    for (int n = 0; n < quanti; ++n) r += record(0);
    return r;
}

struct caso_malformato {
    const char* nome;
    tipo t;
    std::function<std::string()> byte;
    std::size_t offset;
    const char* motivo;
};

const caso_malformato casi_malformati[] = {
    {"CelleVuote", tipo::celle, [] { return std::string(); }, 0, "empty file"},
    {"CelleUnByteInMeno", tipo::celle, [] { return std::string(byte_cella - 1, '\0'); }, 0,
     "not a multiple of 15"},
    {"CelleConUnaCellaTroncata", tipo::celle,
     [] { return std::string(formato::inizio_cella(2) + 1, '\0'); }, formato::inizio_cella(2),
     "cell 2 cut short"},
    {"PuntiVuoti", tipo::punti, [] { return std::string(); }, 0, "record 0"},
    {"NomeDiLunghezzaNegativa", tipo::punti, [] { return record(-1) + records(86); },
     lunghezza_nome, "negative name length -1"},
    {"NomeOltreLaFine", tipo::punti, [] { return record(100, "abc"); }, lunghezza_nome,
     "name of 100 bytes runs past the end"},
    {"UltimoRecordTroncato", tipo::punti, [] { return records(87).substr(0, 87 * byte_punto - 3); },
     86 * byte_punto + formato::in_punto::nome + formato::in_punto::dopo_nome::orario,
     "record 86 (from byte 2924): orario cut short"},
    {"ByteDopoIlRecord87", tipo::punti, [] { return records(87) + "x"; }, 87 * byte_punto,
     "after the 87th record"},
    {"GeometriaVuota", tipo::geometria, [] { return std::string(); }, 0, "empty file"},
    {"CodiceDiTipoSconosciuto", tipo::geometria,
     [] { return std::string("\x02\x00\x00\x00\x07\x00\x00\x00", 8); }, 4,
     "element 1: unknown type code 7"},
    {"RealeTroncato", tipo::geometria, [] { return std::string("\x05\x00\x01\x02\x03", 5); }, 2,
     "double element cut short"},
    {"CodiceDiTipoTroncato", tipo::geometria, [] { return std::string("\x00", 1); }, 0,
     "element type code cut short"},
    {"NumeroDispariDiElementi", tipo::geometria, [] { return std::string(6, '\0'); }, 6,
     "odd number of elements (3)"},
};

class FileMalformato : public ::testing::TestWithParam<caso_malformato> {};

TEST_P(FileMalformato, ErroreCheNominaLOffsetENonUnCrash) {
    const caso_malformato& caso = GetParam();
    try {
        decodifica(caso.t, caso.byte());
        FAIL() << "accepted";
    } catch (const file_malformato& e) {
        EXPECT_EQ(e.offset(), caso.offset) << e.what();
        std::string testo = e.what();
        EXPECT_EQ(testo.rfind("byte offset " + std::to_string(caso.offset) + ": ", 0), 0u) << testo;
        EXPECT_NE(testo.find(caso.motivo), std::string::npos) << testo;
    }
}

INSTANTIATE_TEST_SUITE_P(Casi, FileMalformato, ::testing::ValuesIn(casi_malformati),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST(Decodifica, NumeriNegativiELittleEndian) {
    // tipo 1, dato1 -2 (FE FF), dato2 0x0102, the rest in order 1..6.
    std::string cella_byte("\x01\xFE\xFF\x02\x01\x00\x00\x00\x80\x01\x02\x03\x04\x05\x06", 15);
    std::vector<cella> celle = decodifica_celle(cella_byte);
    ASSERT_EQ(celle.size(), 1u);
    EXPECT_EQ(celle[0].dato1, -2);
    EXPECT_EQ(celle[0].dato2, 0x0102);
    EXPECT_EQ(celle[0].dato4, -32768);
    EXPECT_EQ(celle[0].tempo, 1);
    EXPECT_EQ(celle[0].aderenza, 6);
}

}  // namespace
}  // namespace scenario
