#include "textfile/lettura_sorgente.h"

#include "textfile/parole_chiave.h"

namespace scenario {

void leggi_parola_chiave(stato_run& stato, lettore_campi& lettore) {
    stato.riga = lettore.leggi_testo();
    stato.luogo_corrente = lettore.luogo_campo();
}

bool salta_commenti(stato_run& stato, lettore_campi& lettore, int massimo, bool ferma_a_fine) {
    for (int saltati = 0; saltati < massimo && contiene(stato.riga, "-"); ++saltati) {
        leggi_parola_chiave(stato, lettore);
        if (ferma_a_fine && lettore.fine()) return false;
    }
    return true;
}

}  // namespace scenario
