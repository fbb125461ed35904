// A source that vanishes between being written and being read back (deleted by another program,
// say): the compiler must end with its code and the run with its message.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>

#include "line/sorgente_linea.h"
#include "model/nomi_file.h"
#include "run/form_load.h"
#include "run/memorizza_percorso.h"
#include "support/cartella_temporanea.h"
#include "support/piattaforma_registrata.h"
#include "train/sorgente_treno.h"

namespace scenario {
namespace {

using prova::cartella_temporanea;
using prova::piattaforma_registrata;

class SorgenteSvanita : public ::testing::Test {
  protected:
    SorgenteSvanita() {
        stato.nome_scenario = nome_scenario_predefinito;
        stato.numero_treno = numero_treno_predefinito;
        stato.cartella = cartella.percorso();
        dati_linea(stato);
        dati_treno(stato);
    }

    // The rest of the run, as Form_Load goes on after writing the sources.
    esito_run compila() {
        bool scritti = memorizza_percorso(stato, schermo, 1);
        return esito_compilazione(stato, scritti);
    }

    std::filesystem::path file(const std::string& nome) const { return percorso_file(stato, nome); }

    cartella_temporanea cartella;
    stato_run stato;
    piattaforma_registrata schermo;
};

TEST_F(SorgenteSvanita, SenzaSorgenteDellaLineaLaRunSiFermaCon101) {
    std::filesystem::remove(file(nome_sorgente_linea(stato)));
    esito_run esito = compila();
    EXPECT_EQ(esito.codice_errore, 101);
    EXPECT_EQ(stato_uscita(esito), 2);
    EXPECT_EQ(esito.diagnosi,
              "Errore 101: sorgente della linea assente; nessun file binario scritto");
    // The compiler left at once: the train source was never opened, so it is still there.
    EXPECT_TRUE(std::filesystem::exists(file(nome_sorgente_treno(stato))));
    for (const std::string& nome :
         {nome_file_linea(stato), nome_file_sim(stato), nome_file_dat(stato)}) {
        EXPECT_FALSE(std::filesystem::exists(file(nome))) << nome;
    }
    EXPECT_TRUE(schermo.messaggi.empty());
}

// The line half has sized the cells, so the binary files are written from what the model holds,
// with code 25 and the system's reason on the message.
TEST_F(SorgenteSvanita, SenzaSorgenteDelTrenoLaRunFinisceCon25) {
    std::filesystem::remove(file(nome_sorgente_treno(stato)));
    esito_run esito = compila();
    EXPECT_EQ(esito.codice_errore, 25);
    EXPECT_EQ(stato_uscita(esito), 1);
    EXPECT_EQ(esito.diagnosi, "Errore 25: guasto durante la compilazione: impossibile leggere " +
                                  file(nome_sorgente_treno(stato)).string() + ": " +
                                  std::strerror(ENOENT));
    EXPECT_FALSE(std::filesystem::exists(file(nome_sorgente_linea(stato))));
    for (const std::string& nome :
         {nome_file_linea(stato), nome_file_sim(stato), nome_file_dat(stato)}) {
        EXPECT_TRUE(std::filesystem::exists(file(nome))) << nome;
    }
}

}  // namespace
}  // namespace scenario
