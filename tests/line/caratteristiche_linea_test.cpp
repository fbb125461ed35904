#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "linea_prova.h"
#include "model/cella.h"

namespace scenario {
namespace {

using prova::sorgente_con;

class CaratteristicheLinea : public prova::LineaProva {
  protected:
    // The gradients of cells [da, a] all equal `valore`.
    void pendenze_uguali(int da, int a, int valore) {
        for (int n = da; n <= a; ++n) {
            ASSERT_EQ(stato.percorso[n].pendenza, valore) << "cell " << n;
        }
    }
};

TEST_F(CaratteristicheLinea, PendenzeScritteDalRecordSuccessivo) {
    // Length 2000: cells 0..180, the completion stops before cell 178.
    compila(
        sorgente_con({"pendenza,  20,  5",  // nearest(0.4) = 0: nothing written
                      "pendenza,  1000,   10", "pendenza,  1200,   -22", "pendenza,  1500,   200"},
                     2000));
    EXPECT_EQ(stato.codice_errore, 0);
    pendenze_uguali(0, 19, 105);
    pendenze_uguali(20, 23, 110);
    pendenze_uguali(24, 29, 78);
    pendenze_uguali(30, 177, 44);  // 300 kept to 8 bits
    pendenze_uguali(178, 180, 0);
}

TEST_F(CaratteristicheLinea, DuePendenzeNellaStessaCella) {
    compila(sorgente_con(
        {"pendenza,  1000,   10", "pendenza,  1010,   20", "pendenza,  1500,   -5"}, 2000));
    pendenze_uguali(0, 19, 100);
    // The second record writes the first one's gradient into its own cell.
    pendenze_uguali(20, 20, 110);
    pendenze_uguali(21, 29, 120);
    pendenze_uguali(30, 177, 95);
}

TEST_F(CaratteristicheLinea, SenzaPendenzeLaLineaEPiana) {
    compila(sorgente_con({}, 0));
    pendenze_uguali(0, 137, 100);
    pendenze_uguali(138, 140, 0);
}

TEST_F(CaratteristicheLinea, RiconoscimentoDelleParoleChiave) {
    struct caso {
        const char* nome;
        std::vector<std::string> righe;
        int pendenza_cella_30;  // the gradient in force at 1500 m
    };
    const caso casi[] = {
        {"case ignored", {"PenDenza,  1500,   7"}, 107},
        {"two comment fields skipped", {"-a-, -pendenza, 1500, 7"}, 100},
        {"a third comment field is a keyword", {"-a-, -b-, -pendenza-, 1500, 7"}, 107},
        {"one comment field skipped", {"----------", "pendenza, 1500, 7"}, 107},
        {"a negative data field is a number", {"pendenza,  1500,   -7"}, 93},
        {"a surplus field is the next keyword",
         {"montagna,  100,  200,  2,  pendenza", "1500,  7"},
         107},
        {"all tests apply to one keyword", {"montagna_pendenza,  1500,  7,  2800,  3250,  2"}, 107},
    };
    for (const caso& c : casi) {
        SCOPED_TRACE(c.nome);
        stato.codice_errore = 0;
        compila(sorgente_con(c.righe, 2000));
        EXPECT_EQ(stato.codice_errore, 0);
        EXPECT_EQ(stato.percorso[30].pendenza, c.pendenza_cella_30);
    }
    // The keyword satisfying two tests read a gradient and then a mountain.
    EXPECT_EQ(stato.percorso[56].montagna, 2);
}

TEST_F(CaratteristicheLinea, Montagne) {
    compila(sorgente_con({"montagna,   2800,  3250,  2",
                          "montagna,   3350,  4000,  12",  // 100 m after: kind 3, markers kept
                          "montagna,   4150,  4300,  5",   // 150 m after: kind 3
                          "montagna,   4500,  4800,  15",  // 200 m after: its own kind
                          "montagna,   20250,  20800,  12", "montagna,   45550,  45650,  12"}));
    EXPECT_EQ(stato.codice_errore, 0);
    struct tratto {
        int da, a, montagna;
    };
    const tratto tratti[] = {{55, 55, 0},   {56, 64, 2},   {65, 66, 0},   {67, 79, 3},
                             {80, 82, 0},   {83, 85, 3},   {86, 89, 0},   {90, 95, 5},
                             {96, 96, 0},   {404, 404, 0}, {405, 415, 2}, {416, 416, 0},
                             {911, 912, 2}, {913, 913, 0}};
    for (const tratto& t : tratti) {
        for (int n = t.da; n <= t.a; ++n) EXPECT_EQ(stato.percorso[n].montagna, t.montagna) << n;
    }
    std::vector<int> marcatori;
    for (int n = 0; n <= stato.ultima_cella; ++n) {
        if (stato.percorso[n].tipo == tipo_cella::marcatore_montagna) marcatori.push_back(n);
    }
    // Every fourth cell of the marked mountains; the kind-15 one is 6 cells long.
    EXPECT_EQ(marcatori, (std::vector<int>{70, 74, 78, 93, 408, 412}));
    EXPECT_EQ(stato.conta_montagne, 6);
    EXPECT_EQ(stato.montagna_inizio[2], 3350);
    EXPECT_EQ(stato.montagna_fine[6], 45650);
}

TEST_F(CaratteristicheLinea, IndicatoriDiVelocita) {
    // The built-in boards are checked by LineaIncorporata; these are the cases it does not hold:
    // different speeds on the two sides, and values that round and wrap.
    compila(sorgente_con({"indicatori_vmax,  2000,  100,  60,  30,  1,  50,  40,  20,  2",
                          "indicatori_vmax,  30000,  0,  0,  0,  6554,  12,  13,  14,  -1"}));
    EXPECT_EQ(stato.codice_errore, 0);
    struct atteso {
        int cella;
        std::int16_t dato1, dato2, dato3, dato4;
    };
    const atteso attesi[] = {{41, 2010, 1208, 604, 12},
                             // 12/5 rounds to 2, 13/5 to 3, 14/5 to 3; 65539 kept modulo 65536.
                             {601, 2, 3, 3, 3}};
    for (const atteso& a : attesi) {
        const cella& c = stato.percorso[a.cella];
        EXPECT_EQ(c.tipo, tipo_cella::indicatore_v_max) << a.cella;
        EXPECT_EQ(c.dato1, a.dato1) << a.cella;
        EXPECT_EQ(c.dato2, a.dato2) << a.cella;
        EXPECT_EQ(c.dato3, a.dato3) << a.cella;
        EXPECT_EQ(c.dato4, a.dato4) << a.cella;
    }
}

TEST_F(CaratteristicheLinea, CartelliIndicatori) {
    esito_linea esito = compila(sorgente_con(
        {"montagna,   20250,  20800,  12", "cartello_indicatore,  550,   (DEV. U.)",
         "cartello_indicatore,  20350,   (SU MARCATORE)", "cartello_indicatore,  1000,   (A,B)",
         "cartello_indicatore,  2000,   (DOPO)"}));
    EXPECT_TRUE(esito.prosegui);
    EXPECT_EQ(stato.codice_errore, 0);
    EXPECT_EQ(esito.prossimo_cartello, 76);
    struct atteso {
        int cella;
        int indice;
        const char* testo;
    };
    // A comma cuts a text: the rest is examined as a keyword and the next record is read.
    const atteso attesi[] = {
        {12, 80, "(DEV. U.)"}, {408, 79, "(SU MARCATORE)"}, {21, 78, "(A"}, {41, 77, "(DOPO)"}};
    for (const atteso& a : attesi) {
        EXPECT_EQ(stato.percorso[a.cella].tipo, tipo_cella::cartello_indicazione) << a.cella;
        EXPECT_EQ(stato.percorso[a.cella].dato1, a.indice) << a.cella;
        EXPECT_EQ(stato.punti[a.indice].nome, a.testo);
    }
    EXPECT_EQ(stato.percorso[408].montagna, 2);
    EXPECT_EQ(stato.punti[76].nome, "");
}

TEST_F(CaratteristicheLinea, OttantaCartelliEsaurisconoGliIndici) {
    std::vector<std::string> righe;
    for (int n = 0; n < 80; ++n) {
        righe.push_back("cartello_indicatore,  " + std::to_string(1000 + 100 * n) + ",   (C" +
                        std::to_string(n) + ")");
    }
    esito_linea esito = compila(sorgente_con(righe));
    EXPECT_EQ(stato.codice_errore, 0);
    EXPECT_EQ(esito.prossimo_cartello, 0);
    EXPECT_EQ(stato.punti[1].nome, "(C79)");
    EXPECT_EQ(stato.punti[0].nome, "");
}

// Codes of the feature stage that abort: the position of the record, the line source deleted,
// the train source kept, the compiler left.
TEST_F(CaratteristicheLinea, CodiciCheInterrompono) {
    struct caso {
        const char* nome;
        std::vector<std::string> righe;
        std::int32_t codice;
        std::int32_t posizione;
        int riga_errore;  // line of the record in the source
    };
    const caso casi[] = {
        {"indicator board on an indicator board",
         {"indicatori_vmax,  500,  100,  100,  100,  0,  ,  ,  ,  0",
          "indicatori_vmax,  510,  90,  90,  90,  0,  ,  ,  ,  0"},
         21,
         510,
         5},
        {"indication board on an indicator board",
         {"indicatori_vmax,  500,  100,  100,  100,  0,  ,  ,  ,  0",
          "cartello_indicatore,  500,   (X)"},
         6,
         500,
         5},
        {"indicator board on an indication board",
         {"cartello_indicatore,  500,   (X)",
          "indicatori_vmax,  500,  100,  100,  100,  0,  ,  ,  ,  0"},
         21,
         500,
         5},
        {"curve keyword without a class",
         {"pendenza,  100,  1", "curvad7,  600,  500"},
         103,
         posizione_iniziale,
         5},
        {"curve keyword naming class 0", {"curvas0,  600,  500"}, 103, posizione_iniziale, 4},
    };
    for (const caso& c : casi) {
        SCOPED_TRACE(c.nome);
        stato = stato_run{};
        stato.cartella = cartella.percorso();
        stato.nome_scenario = "Prova";
        stato.numero_treno = "42";
        stato.scrivi_linea = 1;
        stato.posizione_errore = posizione_iniziale;
        scrivi_sorgente_treno();
        std::vector<std::string> righe = c.righe;
        righe.push_back("cartello_indicatore,  3000,   (MAI)");
        esito_linea esito = compila(sorgente_con(righe));
        EXPECT_FALSE(esito.prosegui);
        EXPECT_EQ(stato.codice_errore, c.codice);
        EXPECT_EQ(stato.posizione_errore, c.posizione);
        EXPECT_EQ(stato.luogo_errore.riga, c.riga_errore);
        EXPECT_FALSE(std::filesystem::exists(sorgente_linea()));
        EXPECT_TRUE(std::filesystem::exists(sorgente_treno()));
        // Nothing after the record is read, and the gradients are not completed.
        EXPECT_EQ(stato.percorso[61].tipo, 0);
        EXPECT_EQ(stato.percorso[100].pendenza, 0);
    }
}

TEST_F(CaratteristicheLinea, LimiteDellaLinea) {
    // Length 57000: ultima_cella 1280, so (p + 100) / 50 may reach 1280 and no more.
    const std::string righe_limite[] = {
        "pendenza,  POS,   1",
        "curvad4,  POS,  50",
        "montagna,  POS,  63950,  2",
        "indicatori_vmax,  POS,  100,  100,  100,  0,  ,  ,  ,  0",
        "cartello_indicatore,  POS,   (LIMITE)",
    };
    for (const std::string& modello : righe_limite) {
        for (std::int32_t posizione : {63900, 63901}) {
            SCOPED_TRACE(modello + " at " + std::to_string(posizione));
            stato = stato_run{};
            stato.cartella = cartella.percorso();
            stato.nome_scenario = "Prova";
            stato.scrivi_linea = 1;
            stato.posizione_errore = posizione_iniziale;
            std::string riga = modello;
            riga.replace(riga.find("POS"), 3, std::to_string(posizione));
            esito_linea esito = compila(sorgente_con(
                {"pendenza,  1000,   3", riga, "cartello_indicatore,  5000,   (DOPO)"}));
            bool fuori = posizione == 63901;
            EXPECT_TRUE(esito.prosegui);
            EXPECT_EQ(stato.codice_errore, fuori ? 15 : 0);
            EXPECT_EQ(stato.posizione_errore, fuori ? 63901 : posizione_iniziale);
            // Code 15 ends the reading as the end of the file would.
            EXPECT_EQ(stato.percorso[101].tipo,
                      fuori ? tipo_cella::binario : tipo_cella::cartello_indicazione);
            EXPECT_FALSE(std::filesystem::exists(sorgente_linea()));
            // Gradients and geometry are completed all the same.
            EXPECT_EQ(stato.percorso[1277].pendenza, 103);
            EXPECT_EQ(stato.percorso[1280].pendenza, 0);
            EXPECT_EQ(stato.profilo.tipo(63998, 0), profilo_linea::tipo_valore::reale);
            EXPECT_EQ(stato.profilo.tipo(63999, 0), profilo_linea::tipo_valore::vuoto);
        }
    }
}

TEST_F(CaratteristicheLinea, SenzaGeometriaLeCurveSonoCampiSaltati) {
    stato.scrivi_linea = 0;
    // Not even a keyword without a class is an error: its fields are skipped one by one.
    esito_linea esito =
        compila(sorgente_con({"curvax,  600,  500", "curvas4,  900,  100", "pendenza, 1500, 7"}));
    EXPECT_TRUE(esito.prosegui);
    EXPECT_EQ(stato.codice_errore, 0);
    EXPECT_FALSE(stato.profilo.dimensionato());
    EXPECT_EQ(stato.percorso[30].pendenza, 107);
}

}  // namespace
}  // namespace scenario
