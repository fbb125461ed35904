#include "run/memorizza_percorso.h"

#include <string>

#include "model/diagnostica.h"
#include "output/file_binari.h"
#include "output/passata_celle.h"
#include "output/timbri.h"
#include "run/errore.h"
#include "run/memorizza_dati.h"
#include "verifica/sorveglianza.h"

namespace scenario {

bool memorizza_percorso(stato_run& stato, piattaforma& schermo, std::int32_t j) {
    stato.scrivi_linea = j;
    stato.codice_errore = 0;
    azzera_punti(stato);
    stato.percorso.dimensiona(0);
    stato.profilo.azzera();

    memorizza_dati(stato);
    // The cell pass, stamps and files need a sized cell array: without one nothing is written.
    if (!percorso_dimensionato(stato)) return false;
    // In check, a code the train source left (code 2) is told before a stamp can replace it.
    riporta_codice_in_sospeso(stato);

    passata_celle(stato);
    if (std::int32_t codice = applica_timbri(stato); codice != 0) {
        errore(stato, schermo, std::to_string(codice));
    }
    // A check reports the stamp conflicts too, but writes no file.
    if (stato.diagnostiche != nullptr && stato.diagnostiche->prosegui()) return false;
    scrivi_file_binari(stato);
    return true;
}

}  // namespace scenario
