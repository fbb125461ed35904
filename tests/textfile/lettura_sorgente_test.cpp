#include "textfile/lettura_sorgente.h"

#include <gtest/gtest.h>

#include <string>

#include "model/guasto.h"

namespace scenario {
namespace {

// The first field is read as a keyword, then the comments after it are skipped.
TEST(SaltaCommenti, AlPiuQuantiNeAmmetteIlLettore) {
    struct caso {
        const char* testo;
        int massimo;
        bool prosegue;
        const char* parola;  // the field left in `riga`
    };
    const caso casi[] = {
        {"sabbia, 3\r\n", 2, true, "sabbia"},
        {"-a-, sabbia, 3\r\n", 2, true, "sabbia"},
        {"-a-, -b-, sabbia, 3\r\n", 2, true, "sabbia"},
        // A third comment is examined as a keyword.
        {"-a-, -b-, -c-, sabbia\r\n", 2, true, "-c-"},
        {"-a-, -b-, -c-, sabbia, 3\r\n", 10, true, "sabbia"},
        // The file ends on a skipped field: reading stops.
        {"-a-, -b-", 2, false, "-b-"},
    };
    for (const caso& c : casi) {
        SCOPED_TRACE(c.testo);
        stato_run stato;
        lettore_campi lettore(c.testo, "S_linea.txt");
        leggi_parola_chiave(stato, lettore);
        EXPECT_EQ(salta_commenti(stato, lettore, c.massimo, true), c.prosegue);
        EXPECT_EQ(stato.riga, c.parola);
        EXPECT_EQ(stato.luogo_corrente.file, "S_linea.txt");
    }
}

// Without the end-of-file test a file ending in comments is read past its end.
TEST(SaltaCommenti, SenzaControlloDellaFineLeggeOltreEGuasta) {
    stato_run stato;
    lettore_campi lettore("-a-, -b-\r\n", "S_linea.txt");
    leggi_parola_chiave(stato, lettore);
    EXPECT_THROW(salta_commenti(stato, lettore, 10, false), guasto_esecuzione);
}

}  // namespace
}  // namespace scenario
