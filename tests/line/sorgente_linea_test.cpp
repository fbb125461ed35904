#include "line/sorgente_linea.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "model/nomi_file.h"
#include "support/cartella_temporanea.h"

namespace scenario {
namespace {

using prova::cartella_temporanea;
using prova::leggi_tutto;

// The bytes `dati_linea` writes, cut into lines at CR LF.
class SorgenteLinea : public ::testing::Test {
  protected:
    SorgenteLinea() {
        stato.cartella = cartella.percorso();
        stato.nome_scenario = "Lerno_Castelbrum_Pusena";
        stato.numero_treno = "27364";
        dati_linea(stato);
        byte = leggi_tutto(cartella / "Lerno_Castelbrum_Pusena_linea.txt");
        for (std::size_t inizio = 0; inizio < byte.size();) {
            std::size_t fine = byte.find("\r\n", inizio);
            if (fine == std::string::npos) break;
            righe.push_back(byte.substr(inizio, fine - inizio));
            inizio = fine + 2;
        }
    }

    // The rows between a section header and the next one.
    std::vector<std::string> sezione(const std::string& intestazione) const {
        auto inizio = std::find(righe.begin(), righe.end(), intestazione);
        EXPECT_NE(inizio, righe.end()) << intestazione;
        std::vector<std::string> risultato;
        if (inizio == righe.end()) return risultato;
        for (auto r = inizio + 1; r != righe.end() && r->front() != '['; ++r)
            risultato.push_back(*r);
        return risultato;
    }

    cartella_temporanea cartella;
    stato_run stato;
    std::string byte;
    std::vector<std::string> righe;
};

// The comma-separated fields of a row, leading blanks dropped.
std::vector<std::string> campi(const std::string& riga) {
    std::vector<std::string> risultato;
    std::size_t inizio = 0;
    while (true) {
        std::size_t virgola = riga.find(',', inizio);
        std::string campo = riga.substr(
            inizio, virgola == std::string::npos ? std::string::npos : virgola - inizio);
        campo.erase(0, campo.find_first_not_of(' ') == std::string::npos
                           ? campo.size()
                           : campo.find_first_not_of(' '));
        risultato.push_back(campo);
        if (virgola == std::string::npos) return risultato;
        inizio = virgola + 1;
    }
}

int numero(const std::string& campo) { return campo.empty() ? 0 : std::stoi(campo); }

// The groups "(...)" a board text is made of; empty when the text is anything else.
std::vector<std::string> gruppi(const std::string& testo) {
    std::vector<std::string> risultato;
    for (std::size_t inizio = 0; inizio < testo.size();) {
        std::size_t fine = testo.find(')', inizio);
        if (testo[inizio] != '(' || fine == std::string::npos ||
            testo.find('(', inizio + 1) < fine) {
            return {};
        }
        risultato.push_back(testo.substr(inizio, fine - inizio + 1));
        inizio = fine + 1;
    }
    return risultato;
}

// The cell a board at `posizione` lands in.
int cella_cartello(int posizione) { return static_cast<int>(std::nearbyint(posizione / 50.0 + 1)); }

TEST_F(SorgenteLinea, CentocinquantaRigheCrLfSenzaMarcatore) {
    ASSERT_EQ(righe.size(), 150u);
    std::string ricomposto;
    for (const std::string& r : righe) ricomposto += r + "\r\n";
    EXPECT_EQ(ricomposto, byte) << "a line break other than CR LF, or bytes after the last one";
    EXPECT_EQ(byte.substr(byte.size() - 8), "[fine]\r\n");
    EXPECT_EQ(byte.find("riferimento fine del file"), std::string::npos);
    for (char c : byte) EXPECT_LT(static_cast<unsigned char>(c), 0x80u);
    EXPECT_EQ(elenco_sorgente_linea().back(), "riferimento fine del file");
}

TEST_F(SorgenteLinea, IntestazioneESezioniAlloroPosto) {
    const std::map<std::size_t, std::string> attese = {
        {0, "[generale]"},
        {1, "lunghezza percorso,    57000"},
        {2, "progressiva chilometrica uno,    0,    82500,    0"},
        {3, "progressiva chilometrica due,    13550,    -13550,    0"},
        {4, "progressiva chilometrica tre,    0,    0,    0"},
        {5, "sfondo uno,    1"},
        {6, "sfondo due,    13550"},
        {7, "sfondo tre,    16400"},
        {8, "ripetizione segnali 4 codici,    500,    7450"},
        {9, "[curve]"},
        {10, "curvas4,  600,  500"},
        {59, "curvas4,  52000,  400"},
        {60, "[pendenze]"},
        {61, "pendenza,   0,    0"},
        {62, "pendenza,  19300,   10"},
        {63, "pendenza,  19500,   35"},
        {103, "pendenza,  56200,   7"},
        {104, "[montagne]"},
        {105, "montagna,   2800,  3250,  2"},
        {106, "montagna,   20250,  20800,  12"},
        {107, "montagna,   21600,  22000,  2"},
        {108, "montagna,   40650,  41250,  12"},
        {109, "montagna,   45550,  45650,  12"},
        {110, "[cartelli]"},
        {111, "indicatori_vmax,  500,  100,  105,  110,  0,  100,  105,  110,  0"},
        {121, "indicatori_vmax,  49300,  65,  70,  80,  2,  ,  ,  ,  0"},
        {124, "[indicazioni]"},
        {125, "cartello_indicatore,  550,   (DEV. U.)"},
        {149, "[fine]"},
    };
    ASSERT_EQ(righe.size(), 150u);
    for (const auto& [indice, testo] : attese) EXPECT_EQ(righe[indice], testo) << "line " << indice;
}

TEST_F(SorgenteLinea, RigheCitateInMezzoAlleSezioni) {
    const char* citate[] = {
        "curvas6,  13200,  50",
        "curvad6,  13250,  50",
        "curvad2,  41750,  50",
        "curvad3,  41800,  200",
        "pendenza,  31300,   -5",
        "pendenza,  42150,   -22",
        "indicatori_vmax,  13750,  90,  90,  90,  0,  ,  ,  ,  0",
        "cartello_indicatore,  7450,   (FINE)(COD )",
        "cartello_indicatore,  22300,   (______)(______)(______)",
        "cartello_indicatore,  22350,   (P.L.A.  )(KM. 8800)",
        "cartello_indicatore,  29600,   (P.L. KM)(16.035 )",
    };
    for (const char* riga : citate) {
        EXPECT_EQ(std::count(righe.begin(), righe.end(), riga), 1) << riga;
    }
    // The two S-bends follow each other directly.
    auto s6 = std::find(righe.begin(), righe.end(), "curvas6,  13200,  50");
    auto d2 = std::find(righe.begin(), righe.end(), "curvad2,  41750,  50");
    ASSERT_NE(s6, righe.end());
    ASSERT_NE(d2, righe.end());
    EXPECT_EQ(*(s6 + 1), "curvad6,  13250,  50");
    EXPECT_EQ(*(d2 + 1), "curvad3,  41800,  200");
}

TEST_F(SorgenteLinea, Curve) {
    std::vector<std::string> curve = sezione("[curve]");
    ASSERT_EQ(curve.size(), 50u);
    std::map<char, int> per_classe;
    std::map<char, int> per_lato;
    std::vector<std::pair<int, int>> contigue;
    int fine_precedente = -1;
    int inizio_precedente = -1;
    for (const std::string& riga : curve) {
        std::vector<std::string> f = campi(riga);
        ASSERT_EQ(f.size(), 3u) << riga;
        ASSERT_EQ(f[0].size(), 7u) << riga;
        char lato = f[0][5];
        char classe = f[0][6];
        int inizio = numero(f[1]);
        int lunghezza = numero(f[2]);
        // Two blanks after each comma.
        EXPECT_EQ(riga, std::string("curva") + lato + classe + ",  " + std::to_string(inizio) +
                            ",  " + std::to_string(lunghezza));
        EXPECT_TRUE(lato == 's' || lato == 'd') << riga;
        ++per_lato[lato];
        ++per_classe[classe];
        EXPECT_GE(lunghezza, 50) << riga;
        EXPECT_LE(lunghezza, 600) << riga;
        EXPECT_GT(inizio, inizio_precedente) << riga;
        EXPECT_GE(inizio, fine_precedente) << riga << " overlaps the curve before it";
        if (inizio == fine_precedente) contigue.emplace_back(inizio_precedente, inizio);
        inizio_precedente = inizio;
        fine_precedente = inizio + lunghezza;
    }
    EXPECT_EQ(per_lato, (std::map<char, int>{{'s', 24}, {'d', 26}}));
    EXPECT_EQ(per_classe,
              (std::map<char, int>{{'2', 4}, {'3', 10}, {'4', 27}, {'5', 6}, {'6', 3}}));
    EXPECT_EQ(contigue, (std::vector<std::pair<int, int>>{{13200, 13250}, {41750, 41800}}));
}

TEST_F(SorgenteLinea, Pendenze) {
    std::vector<std::string> pendenze = sezione("[pendenze]");
    ASSERT_EQ(pendenze.size(), 43u);
    int precedente = -1;
    int minima = 1000;
    int massima = -1000;
    for (std::size_t n = 0; n < pendenze.size(); ++n) {
        std::vector<std::string> f = campi(pendenze[n]);
        ASSERT_EQ(f.size(), 3u) << pendenze[n];
        int posizione = numero(f[1]);
        int valore = numero(f[2]);
        // Three blanks before the gradient; the first row is quoted with its own spacing.
        if (n > 0) {
            EXPECT_EQ(pendenze[n],
                      "pendenza,  " + std::to_string(posizione) + ",   " + std::to_string(valore));
        }
        EXPECT_EQ(posizione % 50, 0) << pendenze[n];
        EXPECT_GT(posizione, precedente) << pendenze[n];
        precedente = posizione;
        minima = std::min(minima, valore);
        massima = std::max(massima, valore);
    }
    EXPECT_EQ(minima, -22);
    EXPECT_EQ(massima, 35);
}

TEST_F(SorgenteLinea, IndicatoriDiVelocita) {
    std::vector<std::string> indicatori = sezione("[cartelli]");
    ASSERT_EQ(indicatori.size(), 13u);
    int precedente = 0;
    for (std::size_t n = 0; n < indicatori.size(); ++n) {
        std::vector<std::string> f = campi(indicatori[n]);
        ASSERT_EQ(f.size(), 10u) << indicatori[n];
        // All but the first leave the "d" speeds empty.
        if (n > 0) {
            EXPECT_EQ(indicatori[n], "indicatori_vmax,  " + f[1] + ",  " + f[2] + ",  " + f[3] +
                                         ",  " + f[4] + ",  " + f[5] + ",  ,  ,  ,  0");
        }
        int posizione = numero(f[1]);
        EXPECT_GT(posizione, precedente) << indicatori[n];
        precedente = posizione;
        for (int v : {2, 3, 4}) {
            EXPECT_GE(numero(f[v]), 65) << indicatori[n];
            EXPECT_LE(numero(f[v]), 110) << indicatori[n];
            EXPECT_EQ(numero(f[v]) % 5, 0) << indicatori[n];
        }
    }
    EXPECT_EQ(numero(campi(indicatori.front())[1]), 500);
    // Stripes 2, 1, 0 at 200 m spacing close the section.
    const int ultime[3][2] = {{49300, 2}, {49500, 1}, {49700, 0}};
    for (int n = 0; n < 3; ++n) {
        std::vector<std::string> f = campi(indicatori[10 + static_cast<std::size_t>(n)]);
        EXPECT_EQ(numero(f[1]), ultime[n][0]);
        EXPECT_EQ(numero(f[5]), ultime[n][1]);
    }
}

TEST_F(SorgenteLinea, CartelliIndicatori) {
    std::vector<std::string> cartelli = sezione("[indicazioni]");
    ASSERT_EQ(cartelli.size(), 24u);
    const std::string sottolineato = "(______)(______)(______)";
    std::vector<std::pair<int, std::string>> letti;
    for (const std::string& riga : cartelli) {
        std::size_t dopo_posizione = riga.find(",   ", 22);
        ASSERT_NE(dopo_posizione, std::string::npos) << riga;
        int posizione = numero(riga.substr(22, dopo_posizione - 22));
        std::string testo = riga.substr(dopo_posizione + 4);
        // Two blanks before the position, three before the text.
        EXPECT_EQ(riga, "cartello_indicatore,  " + std::to_string(posizione) + ",   " + testo);
        std::size_t numero_gruppi = gruppi(testo).size();
        EXPECT_TRUE(numero_gruppi >= 1 && numero_gruppi <= 3) << riga;
        EXPECT_EQ(testo.find(','), std::string::npos) << riga;
        letti.emplace_back(posizione, testo);
    }
    EXPECT_EQ(letti.front().first, 550);
    EXPECT_EQ(letti.back().first, 39300);
    int coppie = 0;
    for (std::size_t n = 0; n < letti.size(); ++n) {
        if (n > 0) {
            EXPECT_GT(letti[n].first, letti[n - 1].first) << cartelli[n];
        }
        if (letti[n].second != sottolineato) continue;
        // Every underscore board stands 50 m before a two-group board.
        ASSERT_LT(n + 1, letti.size());
        EXPECT_EQ(letti[n + 1].first, letti[n].first + 50) << cartelli[n];
        EXPECT_EQ(gruppi(letti[n + 1].second).size(), 2u) << cartelli[n + 1];
        ++coppie;
    }
    EXPECT_EQ(coppie, 7);
}

TEST_F(SorgenteLinea, CartelliLontaniDalleCelleDelTreno) {
    // Stamps, signals, the slowdown, the cell pass's code points and the station stop marks.
    const std::set<int> riservate = {1,   31,  57,  84,   109,  130, 151, 229, 250, 332, 357, 557,
                                     581, 768, 789, 1012, 1037, 401, 402, 403, 404, 405, 429, 435,
                                     411, 418, 424, 7,    170,  272, 382, 600, 807, 1063};
    std::set<int> occupate;
    for (const char* intestazione : {"[cartelli]", "[indicazioni]"}) {
        for (const std::string& riga : sezione(intestazione)) {
            int cella = cella_cartello(numero(campi(riga)[1]));
            EXPECT_EQ(riservate.count(cella), 0u) << riga << " in cell " << cella;
            EXPECT_TRUE(occupate.insert(cella).second) << riga << " shares cell " << cella;
        }
    }
    EXPECT_EQ(occupate.size(), 37u);
}

}  // namespace
}  // namespace scenario
