#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "line/sorgente_linea.h"
#include "linea_prova.h"
#include "model/cella.h"

namespace scenario {
namespace {

// The built-in line source written by `dati_linea` and compiled as the run does.
class LineaIncorporata : public prova::LineaProva {
  protected:
    LineaIncorporata() {
        stato.nome_scenario = "Lerno_Castelbrum_Pusena";
        stato.numero_treno = "27364";
        scrivi_sorgente_treno();
        dati_linea(stato);
        esito = leggi_sorgente_linea(stato);
    }

    std::vector<int> celle_di_tipo(std::uint8_t tipo) const {
        std::vector<int> celle;
        for (int n = 0; n <= stato.ultima_cella; ++n) {
            if (stato.percorso[n].tipo == tipo) celle.push_back(n);
        }
        return celle;
    }

    esito_linea esito;
};

TEST_F(LineaIncorporata, CompilataSenzaErrori) {
    EXPECT_TRUE(esito.prosegui);
    EXPECT_EQ(esito.prossimo_cartello, 56);
    EXPECT_EQ(stato.codice_errore, 0);
    EXPECT_EQ(stato.posizione_errore, posizione_iniziale);
    EXPECT_FALSE(std::filesystem::exists(sorgente_linea()));
    EXPECT_TRUE(std::filesystem::exists(sorgente_treno()));
    EXPECT_EQ(stato.punti[84].fine, 57000);
    EXPECT_EQ(stato.ultima_cella, 1280);
    EXPECT_EQ(stato.punti[81].inizio, 13550);
    EXPECT_EQ(stato.punti[81].fine, -13550);
    EXPECT_EQ(stato.punti[82].fine, 82500);
    EXPECT_EQ(stato.punti[86].posizione, 4);
}

TEST_F(LineaIncorporata, Pendenze) {
    struct tratto {
        int da, a, pendenza;
    };
    const tratto tratti[] = {
        {0, 385, 100},    // "pendenza,   0,    0" writes nothing, 19300 fills up to 385
        {386, 389, 110},  // 19500
        {390, 390, 135},   {626, 626, 95},  // -5 from 31300
        {843, 843, 78},                     // -22 from 42150
        {1124, 1277, 107},                  // the completion after "pendenza,  56200,   7"
        {1278, 1280, 0},
    };
    for (const tratto& t : tratti) {
        for (int n = t.da; n <= t.a; ++n) ASSERT_EQ(stato.percorso[n].pendenza, t.pendenza) << n;
    }
    for (int n = 0; n <= 1277; ++n) {
        ASSERT_GE(stato.percorso[n].pendenza, 78) << n;
        ASSERT_LE(stato.percorso[n].pendenza, 135) << n;
    }
}

TEST_F(LineaIncorporata, Montagne) {
    struct tratto {
        int da, a, montagna;
    };
    const tratto tratti[] = {{55, 55, 0},   {56, 64, 2},   {65, 65, 0},   {404, 404, 0},
                             {405, 415, 2}, {416, 431, 0}, {432, 439, 2}, {440, 440, 0},
                             {812, 812, 0}, {813, 824, 2}, {825, 825, 0}, {910, 910, 0},
                             {911, 912, 2}, {913, 913, 0}};
    for (const tratto& t : tratti) {
        for (int n = t.da; n <= t.a; ++n) EXPECT_EQ(stato.percorso[n].montagna, t.montagna) << n;
    }
    EXPECT_EQ(celle_di_tipo(tipo_cella::marcatore_montagna),
              (std::vector<int>{408, 412, 816, 820, 824}));
    EXPECT_EQ(stato.conta_montagne, 5);
}

TEST_F(LineaIncorporata, IndicatoriDiVelocita) {
    EXPECT_EQ(celle_di_tipo(tipo_cella::indicatore_v_max).size(), 13u);
    struct atteso {
        int cella;
        std::int16_t dato1, dato2, dato3, dato4;
    };
    const atteso attesi[] = {{11, 2020, 2121, 2222, 0},
                             {276, 1800, 1800, 1800, 0},
                             {987, 1300, 1400, 1600, 20},
                             {991, 1300, 1400, 1600, 10},
                             {995, 1300, 1400, 1600, 0}};
    for (const atteso& a : attesi) {
        const cella& c = stato.percorso[a.cella];
        EXPECT_EQ(c.tipo, tipo_cella::indicatore_v_max) << a.cella;
        EXPECT_EQ(c.dato1, a.dato1) << a.cella;
        EXPECT_EQ(c.dato2, a.dato2) << a.cella;
        EXPECT_EQ(c.dato3, a.dato3) << a.cella;
        EXPECT_EQ(c.dato4, a.dato4) << a.cella;
    }
}

TEST_F(LineaIncorporata, CartelliIndicatori) {
    std::vector<int> celle = celle_di_tipo(tipo_cella::cartello_indicazione);
    ASSERT_EQ(celle.size(), 24u);
    // In file order, which is increasing position: indices 80 down to 57.
    for (std::size_t n = 0; n < celle.size(); ++n) {
        EXPECT_EQ(stato.percorso[celle[n]].dato1, 80 - static_cast<int>(n)) << celle[n];
    }
    struct atteso {
        int cella;
        int indice;
        const char* testo;
    };
    const atteso attesi[] = {{12, 80, "(DEV. U.)"},
                             {150, 76, "(FINE)(COD )"},
                             {447, 68, "(______)(______)(______)"},
                             {448, 67, "(P.L.A.  )(KM. 8800)"},
                             {593, 63, "(P.L. KM)(16.035 )"}};
    for (const atteso& a : attesi) {
        EXPECT_EQ(stato.percorso[a.cella].dato1, a.indice) << a.cella;
        EXPECT_EQ(stato.punti[a.indice].nome, a.testo);
    }
    EXPECT_EQ(celle.back(), 787);
    EXPECT_FALSE(stato.punti[57].nome.empty());
    EXPECT_EQ(stato.punti[56].nome, "");
}

}  // namespace
}  // namespace scenario
