#include "tool/elementi_linea.h"

#include <gtest/gtest.h>

#include <random>

#include "banco_strumento.h"
#include "output/lettura_formato.h"
#include "tool/etichette.h"

namespace scenario {
namespace {

using prova::leggi_tutto;

const strumento::scenario_compilato& incorporato() {
    static const strumento::scenario_compilato s = [] {
        const std::filesystem::path& dir = prova::file_del_programma();
        strumento::scenario_compilato c;
        c.nome_scenario = prova::scenario_incorporato;
        c.numero_treno = prova::treno_incorporato;
        c.punti = formato::decodifica_punti(leggi_tutto(dir / "Lerno_Castelbrum_Pusena_27364.sim"));
        c.celle = formato::decodifica_celle(leggi_tutto(dir / "Lerno_Castelbrum_Pusena_27364.dat"));
        c.geometria =
            formato::decodifica_geometria(leggi_tutto(dir / "Lerno_Castelbrum_Pusena_linea.dat"));
        return c;
    }();
    return s;
}

TEST(ElementiLinea, SegnaliSpacchettatiComeFuronoScritti) {
    strumento::elementi_linea e = strumento::estrai_elementi(incorporato());
    ASSERT_EQ(e.segnali.size(), 16u);
    const strumento::segnale_linea* a4150 = nullptr;
    const strumento::segnale_linea* a29000 = nullptr;
    for (const auto& s : e.segnali) {
        if (s.metro == 4150) a4150 = &s;
        if (s.metro == 29000) a29000 = &s;
    }
    ASSERT_NE(a4150, nullptr);
    EXPECT_EQ(a4150->cella, 84u);
    EXPECT_EQ((std::array<int, 10>{a4150->sx, a4150->s1, a4150->s2, a4150->s3, a4150->rapp,
                                   a4150->dx, a4150->d1, a4150->d2, a4150->d3, a4150->tempo}),
              (std::array<int, 10>{1, 4, 1, 0, 0, 2, 3, 1, 0, 0}));
    ASSERT_NE(a29000, nullptr);
    EXPECT_EQ(a29000->sx, 2);
    EXPECT_EQ(a29000->tempo, 255);
}

TEST(ElementiLinea, CartelliDiVelocitaConLeTreCategorieEIDueLati) {
    strumento::elementi_linea e = strumento::estrai_elementi(incorporato());
    ASSERT_FALSE(e.cartelli_velocita.empty());
    const auto& primo = e.cartelli_velocita.front();
    EXPECT_EQ(primo.metro, 500);
    EXPECT_EQ(primo.sinistra, (std::array<int, 3>{100, 105, 110}));
    EXPECT_EQ(primo.destra, (std::array<int, 3>{100, 105, 110}));
    bool trovato = false;
    for (const auto& c : e.cartelli_velocita) {
        if (c.metro != 49300) continue;
        trovato = true;
        EXPECT_EQ(c.sinistra, (std::array<int, 3>{65, 70, 80}));
        EXPECT_EQ(c.destra, (std::array<int, 3>{0, 0, 0}));
        EXPECT_EQ(c.strisce_s, 2);
        EXPECT_EQ(c.strisce_d, 0);
    }
    EXPECT_TRUE(trovato);
}

// The built-in line has 50 curve rows; two of them touch (13200 and 13250) with opposite sides.
TEST(ElementiLinea, CurveRitrovateNellaGeometria) {
    strumento::elementi_linea e = strumento::estrai_elementi(incorporato());
    ASSERT_EQ(e.curve.size(), 50u);
    const auto& prima = e.curve.front();
    EXPECT_EQ(prima.inizio, 600);
    EXPECT_EQ(prima.fine, 1100);
    EXPECT_EQ(prima.classe, 4);
    EXPECT_EQ(prima.lato, 's');
    EXPECT_DOUBLE_EQ(prima.raggio, 1000);
    bool coppia = false;
    for (std::size_t i = 0; i + 1 < e.curve.size(); ++i) {
        if (e.curve[i].inizio == 13200) {
            coppia = true;
            EXPECT_EQ(e.curve[i].classe, 6);
            EXPECT_EQ(e.curve[i].lato, 's');
            EXPECT_EQ(e.curve[i].fine, 13250);
            EXPECT_EQ(e.curve[i + 1].inizio, 13250);
            EXPECT_EQ(e.curve[i + 1].lato, 'd');
        }
    }
    EXPECT_TRUE(coppia);
}

TEST(ElementiLinea, LaProgressivaRicominciaA13550) {
    strumento::elementi_linea e = strumento::estrai_elementi(incorporato());
    ASSERT_EQ(e.progressive.size(), 2u);
    EXPECT_EQ(e.progressive[0].inizio, 0);
    EXPECT_EQ(e.progressive[0].scostamento, 82500);
    EXPECT_EQ(e.progressive[1].inizio, 13550);
    EXPECT_EQ(e.progressive[1].scostamento, -13550);
    ASSERT_EQ(e.stazioni.size(), 9u);
    EXPECT_EQ(e.stazioni.front().base.nome, "LERNO");
    EXPECT_EQ(strumento::ora_del_giorno(e.stazioni.front().orario), "09:42:00");
}

// Labels laid out on a few levels: on each level none meets another, and all stay inside.
TEST(Etichette, MaiSovrappostiESempreDentro) {
    std::mt19937 caso(7);
    std::uniform_real_distribution<double> dove(-100, 1100);
    std::uniform_int_distribution<int> lungo(1, 30);
    std::vector<strumento::candidata> candidate;
    for (int i = 0; i < 400; ++i) {
        strumento::candidata c;
        c.x = dove(caso);
        c.testo = std::string(static_cast<std::size_t>(lungo(caso)), 'M');
        c.priorita = i % 5;
        c.dall_inizio = i % 3 == 0;
        candidate.push_back(c);
    }
    auto posti = strumento::disponi(candidate, 3, 0, 1000, 11);
    ASSERT_FALSE(posti.empty());
    for (std::size_t i = 0; i < posti.size(); ++i) {
        EXPECT_GE(posti[i].x0, 0);
        EXPECT_LE(posti[i].x0 + posti[i].larghezza, 1000);
        EXPECT_GE(posti[i].livello, 0);
        EXPECT_LT(posti[i].livello, 3);
        for (std::size_t j = i + 1; j < posti.size(); ++j) {
            if (posti[i].livello != posti[j].livello) continue;
            bool separati = posti[i].x0 + posti[i].larghezza <= posti[j].x0 ||
                            posti[j].x0 + posti[j].larghezza <= posti[i].x0;
            EXPECT_TRUE(separati) << posti[i].c->testo << " / " << posti[j].c->testo;
        }
    }
}

TEST(Etichette, LaPiuImportanteVinceLaSecondaSaleDiLivelloOCade) {
    std::vector<strumento::candidata> candidate(3);
    candidate[0].x = 500;
    candidate[0].testo = "minore";
    candidate[0].priorita = 1;
    candidate[1].x = 505;
    candidate[1].testo = "MAGGIORE";
    candidate[1].priorita = 9;
    candidate[2].x = 995;
    candidate[2].testo = "al bordo";
    candidate[2].priorita = 5;
    auto uno = strumento::disponi(candidate, 1, 0, 1000, 11);
    ASSERT_EQ(uno.size(), 2u);
    EXPECT_EQ(uno[0].c->testo, "MAGGIORE");
    EXPECT_EQ(uno[1].c->testo, "al bordo");
    EXPECT_LE(uno[1].x0 + uno[1].larghezza, 1000);  // shifted in, not cut

    auto due = strumento::disponi(candidate, 2, 0, 1000, 11);
    ASSERT_EQ(due.size(), 3u);
    for (const auto& p : due) {
        if (p.c->testo == "minore") {
            EXPECT_EQ(p.livello, 1);
        }
    }
    // Wider than the axis: never drawn.
    candidate[0].testo = std::string(200, 'W');
    for (const auto& p : strumento::disponi(candidate, 2, 0, 1000, 11)) {
        EXPECT_NE(p.c, &candidate[0]);
    }
}

}  // namespace
}  // namespace scenario
