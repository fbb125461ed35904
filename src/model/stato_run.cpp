#include "model/stato_run.h"

#include "model/diagnostica.h"
#include "model/numeri.h"

namespace scenario {

void azzera_punti(stato_run& stato) {
    for (int n = 0; n < indice_punti::numero; ++n) stato.punti[n] = punto{};
}

void dimensiona_modello(stato_run& stato, std::int32_t lunghezza_percorso) {
    // A rejected length leaves no cells at all, so that the run stops before the binary files
    // even when an earlier length line had sized them.
    stato.percorso.dimensiona(0);
    stato.profilo.azzera();
    std::int32_t estesa = somma32(lunghezza_percorso, 7000);
    std::int32_t ultima = estesa < 0 ? -1 : arrotonda<std::int32_t>(estesa / 50.0, "ultima_cella");
    // Cell 1 carries the stamps and the identity checksum.
    if (ultima < 1) {
        throw guasto_esecuzione("lunghezza del percorso " + std::to_string(lunghezza_percorso) +
                                " senza posto per la cella 1 dei timbri (servono almeno -6974 m)");
    }
    stato.lunghezza_estesa = estesa;
    stato.ultima_cella = ultima;
    stato.percorso.dimensiona(static_cast<std::size_t>(stato.ultima_cella) + 1);
    if (stato.scrivi_linea != 0) {
        stato.profilo.dimensiona(estesa);
    } else {
        stato.profilo.azzera();
    }
}

bool percorso_dimensionato(const stato_run& stato) { return !stato.percorso.empty(); }

void registra_errore(stato_run& stato, std::int32_t codice) {
    stato.codice_errore = codice;
    stato.luogo_errore = stato.luogo_corrente;
    if (stato.diagnostiche != nullptr) {
        stato.diagnostiche->nota_codice({codice, 0, false, stato.luogo_corrente});
    }
}

void registra_errore(stato_run& stato, std::int32_t codice, std::int32_t posizione) {
    stato.codice_errore = codice;
    stato.luogo_errore = stato.luogo_corrente;
    stato.posizione_errore = posizione;
    if (stato.diagnostiche != nullptr) {
        stato.diagnostiche->nota_codice({codice, posizione, true, stato.luogo_corrente});
    }
}

}  // namespace scenario
