#include "train/sorgente_treno.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "banco_treno.h"
#include "textfile/scrittore_testo.h"

namespace scenario {
namespace {

using prova::banco_treno;
using prova::leggi_tutto;

// The file's lines, split at CR LF (the last CR LF ends the last line).
std::vector<std::string> righe_del_file(const std::string& testo) {
    std::vector<std::string> righe;
    std::size_t inizio = 0;
    for (std::size_t fine; (fine = testo.find("\r\n", inizio)) != std::string::npos;
         inizio = fine + 2) {
        righe.push_back(testo.substr(inizio, fine - inizio));
    }
    EXPECT_EQ(inizio, testo.size()) << "bytes after the last CR LF";
    return righe;
}

class SorgenteTreno : public ::testing::Test {
  protected:
    void SetUp() override {
        dati_treno(banco.stato);
        testo = leggi_tutto(banco.sorgente());
        righe = righe_del_file(testo);
    }
    banco_treno banco;
    std::string testo;
    std::vector<std::string> righe;
};

TEST_F(SorgenteTreno, FiftySixLinesEndingWithFineAndNoMarker) {
    ASSERT_EQ(righe.size(), 56u);
    EXPECT_EQ(righe.back(), "[fine]");
    EXPECT_EQ(testo.substr(testo.size() - 8), "[fine]\r\n");
    EXPECT_EQ(testo.find("riferimento"), std::string::npos);
    EXPECT_EQ(std::count(testo.begin(), testo.end(), '\n'), 56);
    EXPECT_EQ(std::count(testo.begin(), testo.end(), '\r'), 56);

    std::vector<std::string> elenco = elenco_sorgente_treno();
    ASSERT_EQ(elenco.size(), 57u);
    EXPECT_EQ(elenco[56], marcatore_fine);
}

TEST_F(SorgenteTreno, DegreeSignIsTheOnlyByteOutsideAscii) {
    EXPECT_EQ(righe[27].substr(righe[27].size() - 21), ", 2\xB0 bivio LERNO NORD");
    std::size_t alti = std::count_if(testo.begin(), testo.end(),
                                     [](char c) { return static_cast<unsigned char>(c) > 127; });
    EXPECT_EQ(alti, 1u);
}

// The rows quoted whole, and rows whose blanks follow from the column rules.
TEST_F(SorgenteTreno, RowsAreWrittenExactly) {
    struct caso {
        std::size_t indice;
        const char* riga;
    };
    const caso casi[] = {
        {0, "[generale]"},
        {1, "numero vetture,    6"},
        {2, "percentuale massa frenata,    105"},
        {3, "sabbia,    200"},
        {4, "orologio,    9               41            45 "},
        {5, "[aderenze]"},
        {6, "aderenza,   0,    100"},
        {7, "aderenza,   18500,    85"},
        {9, "aderenza,   20000,    78"},
        {10, "aderenza,   24000,    90"},
        {11, "[vel_limite]"},
        {12, "velocita,       0,    30"},
        {13, "velocita,     800,   100"},
        {14, "velocita,   13150,    30"},
        {24, "velocita,   50650,    65"},
        {25, "[stazioni]"},
        {26, "stazione,       0,  8,  400,  1, 0, 0,  4,1,0,  2,1,1,    1,   9,42, 0, LERNO"},
        {28, "stazione,    8400, 24,  300,  0, 0, 0,  0,0,0,  4,1,1,  145,   0, 0, 0, DORVANO"},
        {29, "stazione,   13500, 22,  300,  0, 0, 0,  0,0,0,  4,1,1,   60,  10, 0, 0, CASTELBRUM"},
        {34, "stazione,   53000, 12,  400,  1, 0, 0,  1,1,0,  2,1,1,    0,  12, 0, 0, PUSENA P.F."},
        {35, "[rallentamenti]"},
        {36, "rallentamento,   21400,    50,  300, 0,  1,  0"},
        {37, "[segnali]"},
        {38, "segnale,    1500,   1, 4, 0,  0, 0,    0,  0,0,0, 0"},
        {40, "segnale,    4150,   1, 4, 1,  0, 0,    2,  3,1,0, 0"},
        {41, "segnale,    5400,   2, 4, 1,  1, 0,    2,  2,1,1, 0"},
        {49, "segnale,   29000,   2, 4, 1,  0, 0,    0,  0,0,0, 255"},
        {53, "segnale,   51800,   2, 2, 3,  0, 0,    0,  0,0,0, 210"},
        {54, "[codici]"},
        {55, "[fine]"},
    };
    ASSERT_EQ(righe.size(), 56u);
    for (const caso& c : casi) EXPECT_EQ(righe[c.indice], c.riga) << "line " << c.indice;
    EXPECT_EQ(righe[27],
              "stazione,    5800, 25,  200,  0, 0, 0,  0,0,0,  0,0,0,    1,   0, 0, 0, "
              "2\xB0 bivio LERNO NORD");
}

// Where the n-th comma stands (npos when there are fewer).
std::size_t virgola(const std::string& riga, int n) {
    std::size_t pos = std::string::npos;
    for (int k = 0; k <= n; ++k) {
        pos = riga.find(',', pos == std::string::npos ? 0 : pos + 1);
        if (pos == std::string::npos) break;
    }
    return pos;
}

// Every row of a section keeps the first row's columns: its commas stand where the first row's do.
TEST_F(SorgenteTreno, SectionsKeepTheFirstRowsColumns) {
    struct sezione {
        const char* nome;
        std::size_t prima;
        std::size_t righe;
        int virgole;  // aligned commas, the keyword's included
    };
    const sezione sezioni[] = {
        {"velocita", 12, 13, 2},
        {"stazione", 26, 9, 17},
        {"segnale", 38, 16, 11},
    };
    ASSERT_EQ(righe.size(), 56u);
    for (const sezione& s : sezioni) {
        const std::string& modello = righe[s.prima];
        for (std::size_t r = s.prima; r < s.prima + s.righe; ++r) {
            EXPECT_EQ(righe[r].rfind(s.nome, 0), 0u) << righe[r];
            for (int n = 0; n < s.virgole; ++n) {
                EXPECT_EQ(virgola(righe[r], n), virgola(modello, n)) << righe[r] << " comma " << n;
            }
        }
    }
}

TEST(SorgenteTrenoFile, ReplacesAnEarlierFile) {
    banco_treno banco;
    banco.scrivi(std::string(5000, 'x'));
    dati_treno(banco.stato);
    EXPECT_EQ(leggi_tutto(banco.sorgente()), testo_da_elenco(elenco_sorgente_treno()));
}

}  // namespace
}  // namespace scenario
