#include "line/geometria_linea.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "line/sorgente_linea.h"
#include "linea_prova.h"

namespace scenario {
namespace {

using prova::sorgente_con;
using tipo = profilo_linea::tipo_valore;

TEST(SvoltaCurva, ClasseELato) {
    struct caso {
        const char* parola;
        std::optional<double> k;
    };
    const caso casi[] = {
        {"curvad1", 0.0001},      {"curvad2", 0.0002},       {"curvad3", 0.0004},
        {"curvad4", 0.001},       {"curvad5", 0.002},        {"curvad6", 0.003},
        {"curvas4", -0.001},      {"CURVAS2", -0.0002},      {"curvad41", 0.0001},
        {"curvad64", 0.001},      {"curvad7", std::nullopt}, {"curvas0", std::nullopt},
        {"curvad", std::nullopt},
    };
    for (const caso& c : casi) EXPECT_EQ(svolta_curva(c.parola), c.k) << c.parola;
}

class GeometriaLinea : public prova::LineaProva {
  protected:
    // Direction of the step that reached `metro`, from the second component towards the first.
    double angolo(int metro) const {
        return std::atan2(stato.profilo.valore(metro, 0) - stato.profilo.valore(metro - 1, 0),
                          stato.profilo.valore(metro, 1) - stato.profilo.valore(metro - 1, 1));
    }
    double passo(int metro) const {
        return std::hypot(stato.profilo.valore(metro, 0) - stato.profilo.valore(metro - 1, 0),
                          stato.profilo.valore(metro, 1) - stato.profilo.valore(metro - 1, 1));
    }
    void compila_incorporata() {
        stato.nome_scenario = "Lerno_Castelbrum_Pusena";
        dati_linea(stato);
        ASSERT_TRUE(leggi_sorgente_linea(stato).prosegui);
        ASSERT_EQ(stato.codice_errore, 0);
    }
};

// Each turning step rotates the step by atan(k) and lengthens it by sqrt(1 + k^2).
double svolta(int passi, double k) { return passi * std::atan(k); }

TEST_F(GeometriaLinea, PrimaCurvaEFineDellaLineaIncorporata) {
    compila_incorporata();
    const profilo_linea& p = stato.profilo;
    EXPECT_EQ(p.ultimo_metro(), 64000);
    for (int c = 0; c < 2; ++c) {
        EXPECT_EQ(p.tipo(0, c), tipo::intero);
        EXPECT_EQ(p.tipo(1, c), tipo::intero);
        for (int m = 2; m <= 63998; ++m) ASSERT_EQ(p.tipo(m, c), tipo::reale) << m;
        EXPECT_EQ(p.tipo(63999, c), tipo::vuoto);
        EXPECT_EQ(p.tipo(64000, c), tipo::vuoto);
    }
    EXPECT_EQ(p.valore(0, 0), 0.0);
    EXPECT_EQ(p.valore(0, 1), 0.0);
    EXPECT_EQ(p.valore(1, 0), 0.0);
    EXPECT_EQ(p.valore(1, 1), 1.0);
    // Straight along the second component, one unit per metre, up to the curve's start.
    for (int m = 2; m <= 600; ++m) {
        ASSERT_EQ(p.valore(m, 0), 0.0) << m;
        ASSERT_EQ(p.valore(m, 1), m) << m;
    }
    // "s": the first turning step is (-k, 1).
    EXPECT_EQ(p.valore(601, 0), -0.001);
    EXPECT_EQ(p.valore(601, 1), 601.0);
    EXPECT_NEAR(angolo(1100), svolta(500, -0.001), 1e-12);
    EXPECT_NEAR(passo(1100), std::pow(1 + 1e-6, 250), 1e-12);
    // Straight again up to the next curve at 1900.
    EXPECT_NEAR(angolo(1900), angolo(1100), 1e-12);
    EXPECT_NEAR(angolo(1901), svolta(500, -0.001) + std::atan(0.001), 1e-12);
}

TEST_F(GeometriaLinea, CurveContigueDellaLineaIncorporata) {
    compila_incorporata();
    // "curvas6,  13200,  50" then "curvad6,  13250,  50": no straight step between them.
    double prima = angolo(13200);
    EXPECT_NEAR(angolo(13250), prima + svolta(50, -0.003), 1e-9);
    EXPECT_NEAR(angolo(13251), prima + svolta(49, -0.003), 1e-9);
    EXPECT_NEAR(angolo(13300), prima, 1e-9);
    EXPECT_NEAR(angolo(13301), prima, 1e-9);
    // "curvad2,  41750,  50" then "curvad3,  41800,  200".
    prima = angolo(41750);
    EXPECT_NEAR(angolo(41800), prima + svolta(50, 0.0002), 1e-9);
    EXPECT_NEAR(angolo(41801), prima + svolta(50, 0.0002) + svolta(1, 0.0004), 1e-9);
    EXPECT_NEAR(angolo(42000), prima + svolta(50, 0.0002) + svolta(200, 0.0004), 1e-9);
}

TEST_F(GeometriaLinea, CurvaSovrappostaGiraSoltanto) {
    compila(sorgente_con({"curvad4,  1000,  200", "curvas4,  1100,  300"}, 0));
    EXPECT_EQ(stato.codice_errore, 0);
    EXPECT_EQ(stato.profilo.valore(1000, 0), 0.0);
    EXPECT_NEAR(angolo(1200), svolta(200, 0.001), 1e-12);
    // The second curve starts behind the counter: it turns from metre 1201 to 1400.
    EXPECT_NEAR(angolo(1201), svolta(199, 0.001), 1e-12);
    EXPECT_NEAR(angolo(1400), 0.0, 1e-12);
    EXPECT_NEAR(angolo(1401), 0.0, 1e-12);
}

// The exact update, metre by metre, as a check on the order of the operations.
TEST_F(GeometriaLinea, OgniMetroDaiDuePrecedenti) {
    compila(sorgente_con({"curvad6,  10,  40", "curvas5,  60,  30"}, 0));
    std::vector<double> x = {0, 0};
    std::vector<double> y = {0, 1};
    for (int m = 2; m <= 150; ++m) {
        double k = m <= 10 ? 0 : m <= 50 ? 0.003 : m <= 60 ? 0 : m <= 90 ? -0.002 : 0;
        double a = x[m - 1] - x[m - 2];
        double b = y[m - 1] - y[m - 2];
        x.push_back(k == 0 ? x[m - 1] + a : x[m - 1] + (a + k * b));
        y.push_back(k == 0 ? y[m - 1] + b : y[m - 1] + (b - k * a));
        ASSERT_EQ(stato.profilo.valore(m, 0), x.back()) << m;
        ASSERT_EQ(stato.profilo.valore(m, 1), y.back()) << m;
    }
}

// The geometry is stepped a stretch at a time; each stretch must give exactly, bit for bit, what
// the single steps give metre by metre: straight runs, contiguous and overlapping curves, a
// curve of one metre, and the straight run to the end.
TEST_F(GeometriaLinea, TrattiInteriComeMetroPerMetro) {
    struct curva {
        const char* parola;
        std::int32_t inizio, lunghezza;
        double k;
    };
    const curva curve[] = {
        {"curvad6", 10, 40, 0.003},     {"curvas1", 2000, 5000, -0.0001},
        {"curvad4", 7000, 1, 0.001},    {"curvas4", 7500, 300, -0.001},
        {"curvad3", 7600, 100, 0.0004}, {"curvas2", 7800, 500, -0.0002},
        {"curvas5", 8300, 60, -0.002},  {"curvad5", 8360, 2000, 0.002},
    };
    std::vector<std::string> righe;
    for (const curva& c : curve) {
        righe.push_back(std::string(c.parola) + ",  " + std::to_string(c.inizio) + ",  " +
                        std::to_string(c.lunghezza));
    }
    ASSERT_TRUE(compila(sorgente_con(righe, 20000)).prosegui);
    ASSERT_EQ(stato.codice_errore, 0);

    profilo_linea atteso;
    atteso.dimensiona(stato.lunghezza_estesa);
    atteso.imposta_intero(0, 0, 0);
    atteso.imposta_intero(0, 1, 0);
    atteso.imposta_intero(1, 0, 0);
    atteso.imposta_intero(1, 1, 1);
    std::int32_t metro = 2;
    for (const curva& c : curve) {
        while (metro <= c.inizio) passo_rettilineo(atteso, metro++);
        while (metro <= c.inizio + c.lunghezza) passo_curva(atteso, metro++, c.k);
    }
    while (metro <= stato.lunghezza_estesa - 2) passo_rettilineo(atteso, metro++);

    ASSERT_EQ(stato.profilo.ultimo_metro(), atteso.ultimo_metro());
    for (int c = 0; c < 2; ++c) {
        for (std::int32_t m = 0; m <= atteso.ultimo_metro(); ++m) {
            ASSERT_EQ(stato.profilo.tipo(m, c), atteso.tipo(m, c)) << m << "," << c;
            ASSERT_EQ(std::bit_cast<std::uint64_t>(stato.profilo.valore(m, c)),
                      std::bit_cast<std::uint64_t>(atteso.valore(m, c)))
                << m << "," << c;
        }
    }
}

TEST_F(GeometriaLinea, LimiteDelMilionesimoMetro) {
    struct caso {
        const char* riga;
        bool accettata;
    };
    const caso casi[] = {
        {"curvad1,  999900,  99", true},    // last step at 999999
        {"curvad1,  999900,  100", false},  // a step at 1000000 passes the limit
        {"curvad1,  1000000,  50", false},  // so does the straight run up to the start
    };
    for (const caso& c : casi) {
        SCOPED_TRACE(c.riga);
        stato = stato_run{};
        stato.cartella = cartella.percorso();
        stato.nome_scenario = "Prova";
        stato.numero_treno = "42";
        stato.scrivi_linea = 1;
        stato.posizione_errore = posizione_iniziale;
        scrivi_sorgente_treno();
        esito_linea esito =
            compila(sorgente_con({c.riga, "cartello_indicatore,  1000,   (X)"}, 1000000));
        EXPECT_EQ(esito.prosegui, c.accettata);
        EXPECT_EQ(stato.codice_errore, c.accettata ? 0 : 103);
        EXPECT_EQ(stato.posizione_errore, posizione_iniziale);
        EXPECT_FALSE(std::filesystem::exists(sorgente_linea()));
        EXPECT_TRUE(std::filesystem::exists(sorgente_treno()));
        // The completion runs without the limit, to the third-last metre.
        EXPECT_EQ(stato.profilo.tipo(1006998, 1), c.accettata ? tipo::reale : tipo::vuoto);
        EXPECT_EQ(stato.profilo.tipo(1006999, 1), tipo::vuoto);
    }
}

}  // namespace
}  // namespace scenario
