#include "run/memorizza_dati.h"

#include <exception>

#include "line/lettore_linea.h"
#include "model/nomi_file.h"
#include "textfile/archivio_file.h"
#include "train/lettore_treno.h"
#include "verifica/sorveglianza.h"

namespace scenario {

namespace {

// The handler must not fail in turn: a source that cannot be deleted stays.
void elimina_sorgenti(const stato_run& stato) {
    archivio_file& archivio = archivio_di(stato);
    archivio.elimina_senza_guasto(percorso_file(stato, nome_sorgente_linea(stato)));
    archivio.elimina_senza_guasto(percorso_file(stato, nome_sorgente_treno(stato)));
}

}  // namespace

void memorizza_dati(stato_run& stato) {
    try {
        stato.punti[indice_punti::scenario].nome = stato.nome_scenario;
        stato.punti[indice_punti::ripetizione].nome = stato.numero_treno;
        esito_linea linea = leggi_sorgente_linea(stato);
        if (!linea.prosegui) return;
        // In check, what the line source left is told before the train source is read.
        riporta_codice_in_sospeso(stato);
        leggi_sorgente_treno(stato, linea.prossimo_cartello);
    } catch (const std::exception& guasto) {
        elimina_sorgenti(stato);
        stato.causa_guasto = guasto.what();
        registra_errore(stato, 25);
    }
}

}  // namespace scenario
