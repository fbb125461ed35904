// Found by fuzzing: a board text longer than the 16-bit byte count of a ".sim" name used to pass
// the compiler and stop the run in the file writer, as a failure of the system (status 3) naming
// no source record. It is a fault of the source: code 25 at its record, and the files are written.
#include <gtest/gtest.h>

#include <string>

#include "linea_prova.h"
#include "run/compilazione_privata.h"
#include "support/piattaforma_registrata.h"

namespace scenario {
namespace {

using prova::sorgente_con;

TEST(TestiLunghiLinea, UnTestoOltreIlLimiteDiUnNomeECodice25) {
    struct caso {
        std::size_t lunghezza;
        std::int32_t codice;
    };
    for (const caso& k : {caso{nome_massimo, 0}, caso{nome_massimo + 1, 25}}) {
        SCOPED_TRACE(k.lunghezza);
        const std::string testo = "(" + std::string(k.lunghezza - 2, 'X') + ")";
        sorgenti_da_compilare sorgenti;
        sorgenti.nome_scenario = "Prova";
        sorgenti.numero_treno = "42";
        sorgenti.sorgente_linea = sorgente_con({"cartello_indicatore,  550,   " + testo}, 2000);
        sorgenti.sorgente_treno = "[generale]\r\n[fine]\r\n";
        prova::piattaforma_registrata schermo;
        compilazione_privata c(sorgenti, schermo);
        const stato_run& stato = c.stato();

        ASSERT_TRUE(c.file_scritti());
        EXPECT_EQ(stato.codice_errore, k.codice);
        EXPECT_EQ(c.file_binari().size(), 3u);
        if (k.codice == 0) {
            EXPECT_EQ(stato.punti[80].nome, testo);
        } else {
            EXPECT_EQ(stato.luogo_errore.file, "Prova_linea.txt");
            EXPECT_EQ(stato.luogo_errore.riga, 4);
            EXPECT_EQ(stato.causa_guasto, "testo di 32768 byte, oltre i 32767 di un nome");
            EXPECT_EQ(stato.punti[80].nome, "");
        }
    }
}

}  // namespace
}  // namespace scenario
