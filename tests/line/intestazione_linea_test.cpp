#include "line/intestazione_linea.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "linea_prova.h"
#include "model/guasto.h"
#include "model/punto.h"

namespace scenario {
namespace {

using prova::righe_crlf;

class IntestazioneLinea : public prova::LineaProva {};

struct terna {
    std::int32_t inizio;
    std::int32_t fine;
    std::int32_t posizione;
    bool operator==(const terna&) const = default;
};

void PrintTo(const terna& t, std::ostream* os) {
    *os << "(" << t.inizio << ", " << t.fine << ", " << t.posizione << ")";
}

terna leggi_terna(const stato_run& stato, int indice) {
    const punto& p = stato.punti[indice];
    return {p.inizio, p.fine, p.posizione};
}

TEST(ProgressiveOrdina, Casi) {
    struct caso {
        const char* nome;
        terna tre, due, uno;  // as read into 81, 82, 83
        terna atteso81, atteso82, atteso83;
    };
    const terna zero{0, 0, 0};
    const caso casi[] = {
        {"built-in: \"due\" has the only start",
         {0, 0, 0},
         {13550, -13550, 0},
         {0, 82500, 0},
         {13550, -13550, 0},
         {0, 82500, 0},
         {0, 0, 0}},
        {"greatest start first, then the greater of the others",
         {4000, 1, 0},
         {2000, 2, 0},
         {9000, 3, 0},
         {9000, 3, 0},
         {4000, 1, 0},
         {2000, 2, 0}},
        {"equal second starts: the higher entry goes to 82",
         {9000, 1, 0},
         {2000, 2, 0},
         {2000, 3, 0},
         {9000, 1, 0},
         {2000, 3, 0},
         {2000, 2, 0}},
        {"two equal largest starts clear all three",
         {5000, 1, 0},
         {5000, 2, 0},
         {0, 3, 0},
         zero,
         zero,
         zero},
        {"three equal starts clear all three",
         {700, 1, 1},
         {700, 2, 1},
         {700, 3, 1},
         zero,
         zero,
         zero},
        {"starts 0: only \"uno\" with a positive offset",
         {0, -5, 2},
         {0, -7, 3},
         {0, 400, 0},
         {0, 400, 0},
         {0, -7, 3},
         {0, -5, 2}},
        {"starts 0: \"due\" positive, \"uno\" not",
         {0, 10, 0},
         {0, 20, 0},
         {0, 0, 0},
         {0, 20, 0},
         {0, 10, 0},
         {0, 0, 0}},
        {"starts 0: \"uno\" wins over \"due\" and \"tre\"",
         {0, 10, 0},
         {0, 20, 0},
         {0, 30, 0},
         {0, 30, 0},
         {0, 20, 0},
         {0, 10, 0}},
        {"starts 0: only \"tre\" positive keeps the order",
         {0, 10, 2},
         {0, 0, 3},
         {0, -1, 4},
         {0, 10, 2},
         {0, 0, 3},
         {0, -1, 4}},
        {"starts 0, no positive offset: all cleared",
         {0, 0, 5},
         {0, -20, 6},
         {0, -30, 7},
         zero,
         zero,
         zero},
        {"starts summing to 0 are ordered by offsets",
         {-100, 0, 0},
         {100, 0, 0},
         {0, 50, 0},
         {0, 50, 0},
         {100, 0, 0},
         {-100, 0, 0}},
        {"flag 1 adds 100 to the offset where the entry lands",
         {0, 0, 0},
         {13550, 200, 1},
         {0, 82500, 1},
         {13550, 300, 1},
         {0, 82600, 1},
         {0, 0, 0}},
    };
    for (const caso& c : casi) {
        SCOPED_TRACE(c.nome);
        stato_run stato;
        const std::array<terna, 3> letti = {c.tre, c.due, c.uno};
        for (int n = 0; n < 3; ++n) {
            punto& p = stato.punti[81 + n];
            p.inizio = letti[static_cast<std::size_t>(n)].inizio;
            p.fine = letti[static_cast<std::size_t>(n)].fine;
            p.posizione = letti[static_cast<std::size_t>(n)].posizione;
            p.nome = "voce " + std::to_string(81 + n);
            p.voce_7 = static_cast<std::int16_t>(n + 1);
        }
        progressive_ordina(stato);
        EXPECT_EQ(leggi_terna(stato, 81), c.atteso81);
        EXPECT_EQ(leggi_terna(stato, 82), c.atteso82);
        EXPECT_EQ(leggi_terna(stato, 83), c.atteso83);
        // Only the three numbers move.
        for (int n = 0; n < 3; ++n) {
            EXPECT_EQ(stato.punti[81 + n].nome, "voce " + std::to_string(81 + n));
            EXPECT_EQ(stato.punti[81 + n].voce_7, n + 1);
        }
    }
}

TEST(ProgressiveOrdina, SommaDegliInizi32BitEGuasto) {
    stato_run stato;
    stato.punti[81].inizio = 2000000000;
    stato.punti[82].inizio = 2000000000;
    EXPECT_THROW(progressive_ordina(stato), guasto_esecuzione);
}

TEST_F(IntestazioneLinea, IntestazioneIncorporata) {
    esito_linea esito = compila(righe_crlf({
        "[generale]",
        "lunghezza percorso,    57000",
        "progressiva chilometrica uno,    0,    82500,    0",
        "progressiva chilometrica due,    13550,    -13550,    0",
        "progressiva chilometrica tre,    0,    0,    0",
        "sfondo uno,    1",
        "sfondo due,    13550",
        "sfondo tre,    16400",
        "ripetizione segnali 4 codici,    500,    7450",
        "[curve]",
        "[fine]",
    }));
    EXPECT_TRUE(esito.prosegui);
    EXPECT_EQ(esito.prossimo_cartello, 80);
    EXPECT_EQ(stato.codice_errore, 0);
    EXPECT_EQ(stato.punti[84].fine, 57000);
    EXPECT_EQ(stato.lunghezza_estesa, 64000);
    EXPECT_EQ(stato.ultima_cella, 1280);
    EXPECT_EQ(stato.percorso.size(), 1281u);
    EXPECT_EQ(stato.profilo.ultimo_metro(), 64000);
    EXPECT_EQ(leggi_terna(stato, 81), (terna{13550, -13550, 0}));
    EXPECT_EQ(leggi_terna(stato, 82), (terna{0, 82500, 0}));
    EXPECT_EQ(leggi_terna(stato, 83), (terna{0, 0, 0}));
    EXPECT_EQ(leggi_terna(stato, 85), (terna{1, 16400, 13550}));  // uno, tre, due
    EXPECT_EQ(leggi_terna(stato, 86), (terna{500, 7450, 4}));
    EXPECT_FALSE(std::filesystem::exists(sorgente_linea()));
}

TEST_F(IntestazioneLinea, RiconoscimentoDelleRighe) {
    struct caso {
        const char* nome;
        std::vector<std::string> righe;  // between "[generale]" and the first section header
        std::function<void(const stato_run&)> verifica;
    };
    const caso casi[] = {
        {"length keyword ignores case",
         {"LUNGHEZZA Percorso,  25"},
         [](const stato_run& s) { EXPECT_EQ(s.ultima_cella, 140); }},
        {"chainage keywords are exact",
         {"lunghezza percorso, 0", "Progressiva chilometrica due, 1000, 5, 0"},
         [](const stato_run& s) {
             EXPECT_EQ(leggi_terna(s, 81), (terna{0, 0, 0}));
         }},
        {"chainage in exact case is read",
         {"lunghezza percorso, 0", "progressiva chilometrica due, 1000, 5, 0"},
         [](const stato_run& s) {
             EXPECT_EQ(leggi_terna(s, 81), (terna{1000, 5, 0}));
         }},
        {"background keywords are exact",
         {"lunghezza percorso, 0", "Sfondo uno, 700", "sfondo tre, 900"},
         [](const stato_run& s) {
             EXPECT_EQ(leggi_terna(s, 85), (terna{0, 900, 0}));
         }},
        {"cab-signal keyword is exact",
         {"lunghezza percorso, 0", "Ripetizione segnali 4 codici, 500, 7450"},
         [](const stato_run& s) {
             EXPECT_EQ(leggi_terna(s, 86), (terna{0, 0, 0}));
         }},
        {"nine codes",
         {"lunghezza percorso, 0", "ripetizione segnali 9 codici, 500, 7450"},
         [](const stato_run& s) {
             EXPECT_EQ(leggi_terna(s, 86), (terna{500, 7450, 9}));
         }},
        {"no end: no cab signals, no error",
         {"lunghezza percorso, 0", "ripetizione segnali 4 codici, 500, 0"},
         [](const stato_run& s) {
             EXPECT_EQ(leggi_terna(s, 86), (terna{500, 0, 0}));
         }},
        {"-50 is on the 50 m grid",
         {"lunghezza percorso, 0", "ripetizione segnali 4 codici, -50, 100"},
         [](const stato_run& s) {
             EXPECT_EQ(leggi_terna(s, 86), (terna{-50, 100, 4}));
         }},
        {"records in any order, before and after the length",
         {"sfondo due, 300", "lunghezza percorso, 75", "sfondo uno, 100"},
         [](const stato_run& s) {
             EXPECT_EQ(leggi_terna(s, 85), (terna{100, 0, 300}));
             EXPECT_EQ(s.ultima_cella, 142);
         }},
        {"a repeated length sizes again",
         {"lunghezza percorso, 57000", "lunghezza percorso, 75"},
         [](const stato_run& s) {
             EXPECT_EQ(s.punti[84].fine, 75);
             EXPECT_EQ(s.percorso.size(), 143u);
             EXPECT_EQ(s.profilo.ultimo_metro(), 7075);
         }},
        {"lengths 0 and 1000000 are accepted",
         {"lunghezza percorso, 1000000", "lunghezza percorso, 0"},
         [](const stato_run& s) { EXPECT_EQ(s.ultima_cella, 140); }},
        {"a comment field is skipped even when it names a record",
         {"lunghezza percorso, 0", "-- sfondo uno, 700"},
         [](const stato_run& s) { EXPECT_EQ(s.punti[85].inizio, 0); }},
        {"ten comment fields are skipped in one pass",
         {"lunghezza percorso, 0", "-1, -2, -3, -4, -5, -6, -7, -8, -9, -10, sfondo uno, 700"},
         [](const stato_run& s) { EXPECT_EQ(s.punti[85].inizio, 700); }},
        {"the eleventh comment field in a row is examined as a keyword",
         {"lunghezza percorso, 0", "-1, -2, -3, -4, -5, -6, -7, -8, -9, -10, -sfondo uno, 700"},
         [](const stato_run& s) { EXPECT_EQ(s.punti[85].inizio, 700); }},
        {"the tenth comment field is skipped",
         {"lunghezza percorso, 0", "-1, -2, -3, -4, -5, -6, -7, -8, -9, -sfondo uno, 700"},
         [](const stato_run& s) { EXPECT_EQ(s.punti[85].inizio, 0); }},
        {"a section header after comment fields ends the header",
         {"lunghezza percorso, 0", "-a-, [curve], sfondo uno, 700"},
         [](const stato_run& s) { EXPECT_EQ(s.punti[85].inizio, 0); }},
    };
    for (const caso& c : casi) {
        SCOPED_TRACE(c.nome);
        stato = stato_run{};
        stato.cartella = cartella.percorso();
        stato.nome_scenario = "Prova";
        stato.scrivi_linea = 1;
        std::vector<std::string> righe = {"[generale]"};
        righe.insert(righe.end(), c.righe.begin(), c.righe.end());
        righe.insert(righe.end(), {"[curve]", "[fine]"});
        esito_linea esito = compila(righe_crlf(righe));
        EXPECT_TRUE(esito.prosegui);
        EXPECT_EQ(stato.codice_errore, 0);
        c.verifica(stato);
    }
}

TEST_F(IntestazioneLinea, QuelloCheViePrimaDiGeneraleEIgnorato) {
    compila("lunghezza percorso, 99999999\r\n[GENERALE]\r\nlunghezza percorso, 25\r\n[fine]\r\n");
    EXPECT_EQ(stato.codice_errore, 0);
    EXPECT_EQ(stato.ultima_cella, 140);
}

// Every code of the header: no position, the line source deleted (101: untouched), the train
// source beside it kept, the compiler left.
TEST_F(IntestazioneLinea, CodiciDiErrore) {
    struct caso {
        const char* nome;
        const char* sorgente;  // nullptr: no line source at all
        std::int32_t codice;
        bool sorgente_resta;
    };
    const caso casi[] = {
        {"missing source", nullptr, 101, false},
        {"no [generale]", "lunghezza percorso, 100\r\n[fine]\r\n", 102, false},
        {"[generale] as the last field", "x\r\n[generale]\r\n", 102, false},
        {"empty file", "", 102, false},
        {"length above 1000000", "[generale]\r\nlunghezza percorso, 1000001\r\n[fine]\r\n", 1,
         false},
        {"cab-signal start off the grid",
         "[generale]\r\nlunghezza percorso, 100\r\nripetizione segnali 4 codici, 525, "
         "7450\r\n[fine]\r\n",
         3, false},
        {"cab-signal start -25",
         "[generale]\r\nripetizione segnali 4 codici, -25, 7450\r\n[fine]\r\n", 3, false},
        {"cab-signal end off the grid",
         "[generale]\r\nripetizione segnali 4 codici, 500, 7475\r\n[fine]\r\n", 4, false},
        {"cab-signal without 4 or 9",
         "[generale]\r\nripetizione segnali codici, 500, 7450\r\n[fine]\r\n", 5, false},
    };
    for (const caso& c : casi) {
        SCOPED_TRACE(c.nome);
        stato = stato_run{};
        stato.cartella = cartella.percorso();
        stato.nome_scenario = "Prova";
        stato.numero_treno = "42";
        stato.posizione_errore = posizione_iniziale;
        std::filesystem::remove(sorgente_linea());
        scrivi_sorgente_treno();
        if (c.sorgente != nullptr) scrivi_sorgente_linea(c.sorgente);

        esito_linea esito = leggi_sorgente_linea(stato);
        EXPECT_FALSE(esito.prosegui);
        EXPECT_EQ(stato.codice_errore, c.codice);
        EXPECT_EQ(stato.posizione_errore, posizione_iniziale);
        EXPECT_EQ(std::filesystem::exists(sorgente_linea()), c.sorgente_resta);
        EXPECT_TRUE(std::filesystem::exists(sorgente_treno()));
    }
}

TEST_F(IntestazioneLinea, LunghezzaOltreIlLimiteNonDimensiona) {
    compila("[generale]\r\nlunghezza percorso, 1000001\r\n[fine]\r\n");
    EXPECT_EQ(stato.codice_errore, 1);
    EXPECT_EQ(stato.punti[84].fine, 1000001);
    EXPECT_TRUE(stato.percorso.empty());
    EXPECT_FALSE(stato.profilo.dimensionato());
    // The code knows its record.
    EXPECT_EQ(stato.luogo_errore.file, "Prova_linea.txt");
    EXPECT_EQ(stato.luogo_errore.riga, 2);
}

}  // namespace
}  // namespace scenario
