#include "run/form_load.h"

#include <exception>

#include "documents/documenti.h"
#include "line/sorgente_linea.h"
#include "model/guasto.h"
#include "run/codici_errore.h"
#include "run/errore.h"
#include "run/memorizza_percorso.h"
#include "train/sorgente_treno.h"

namespace scenario {

namespace {

esito_run guasto(std::string testo) {
    esito_run esito;
    esito.come = esito_run::fine::guasto;
    esito.diagnosi = std::move(testo);
    return esito;
}

}  // namespace

esito_run esito_compilazione(const stato_run& stato, bool file_scritti) {
    esito_run esito;
    esito.codice_errore = stato.codice_errore;
    esito.posizione_errore = stato.posizione_errore;
    const std::string descrizione = descrivi_errore(stato.codice_errore, stato.posizione_errore,
                                                    stato.luogo_errore, stato.causa_guasto);
    if (!file_scritti) {
        esito.come = esito_run::fine::fermata;
        esito.diagnosi = descrizione + "; nessun file binario scritto";
    } else if (stato.codice_errore != 0) {
        esito.come = esito_run::fine::codice_registrato;
        esito.diagnosi = descrizione;
    }
    return esito;
}

esito_run Form_Load(stato_run& stato, piattaforma& schermo, const std::filesystem::path& cartella) {
    stato.nome_scenario = nome_scenario_predefinito;
    stato.numero_treno = numero_treno_predefinito;
    stato.cartella = cartella;
    schermo.mostra_attesa();

    try {
        dati_linea(stato);
        dati_treno(stato);
        dati_note(stato);
        dati_rallentamenti(stato);
        dati_scheda(stato);
        bool scritti = memorizza_percorso(stato, schermo, 1);
        return esito_compilazione(stato, scritti);
    } catch (const fine_programma& fine) {
        esito_run esito;
        esito.come = esito_run::fine::fermata;
        esito.codice_errore = fine.codice;
        esito.diagnosi = descrivi_errore(fine.codice, 0) + "; nessun file binario scritto";
        return esito;
    } catch (const guasto_file& e) {
        return guasto("Impossibile scrivere il file " + e.file() + ": " + e.causa());
    } catch (const std::exception& e) {
        return guasto(std::string("Errore durante la generazione: ") + e.what());
    }
}

int stato_uscita(const esito_run& esito) {
    switch (esito.come) {
        case esito_run::fine::completata:
            return 0;
        case esito_run::fine::codice_registrato:
            return 1;
        case esito_run::fine::fermata:
            return 2;
        case esito_run::fine::guasto:
            return 3;
    }
    return 3;
}

}  // namespace scenario
