#include "run/form_load.h"

#include <exception>
#include <iostream>
#include <optional>

#include "documents/documenti.h"
#include "line/sorgente_linea.h"
#include "model/guasto.h"
#include "model/nomi_file.h"
#include "run/codici_errore.h"
#include "run/errore.h"
#include "run/memorizza_percorso.h"
#include "textfile/blocco_cartella.h"
#include "textfile/file_disco.h"
#include "train/sorgente_treno.h"

namespace scenario {

namespace {

esito_run guasto(std::string testo) {
    esito_run esito;
    esito.come = esito_run::fine::guasto;
    esito.diagnosi = std::move(testo);
    return esito;
}

// A failure of the system leaves nothing new beside the documents: the sources exist only
// while a run compiles.
esito_run guasto_senza_sorgenti(const stato_run& stato, std::string testo) {
    elimina_senza_guasto(percorso_file(stato, nome_sorgente_linea(stato)));
    elimina_senza_guasto(percorso_file(stato, nome_sorgente_treno(stato)));
    return guasto(std::move(testo));
}

std::string secondi(std::chrono::milliseconds durata) {
    return std::to_string(std::chrono::duration_cast<std::chrono::seconds>(durata).count());
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

    // One run at a time in the folder; a run killed before this one may have left temporary
    // files, which only the holder of the folder may remove.
    std::optional<blocco_cartella> blocco;
    try {
        blocco.emplace(cartella, attesa_cartella, [&] {
            std::cerr << "Cartella " << nome_leggibile(cartella)
                      << " in uso da un'altra esecuzione: attendo fino a "
                      << secondi(attesa_cartella) << " s" << std::endl;
        });
    } catch (const cartella_occupata& e) {
        return guasto("Cartella " + e.cartella() + " ancora in uso da un'altra esecuzione dopo " +
                      secondi(attesa_cartella) + " s: nessun file scritto");
    } catch (const guasto_file& e) {
        return guasto("Impossibile aprire la cartella " + e.file() + ": " + e.causa());
    }
    rimuovi_temporanei_rimasti(cartella);

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
        return guasto_senza_sorgenti(stato,
                                     "Impossibile scrivere il file " + e.file() + ": " + e.causa());
    } catch (const std::exception& e) {
        return guasto_senza_sorgenti(stato,
                                     std::string("Errore durante la generazione: ") + e.what());
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
