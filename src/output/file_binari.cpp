#include "output/file_binari.h"

#include <memory>
#include <vector>

#include "model/guasto.h"
#include "model/nomi_file.h"
#include "output/formato_file.h"
#include "output/scrittore_byte.h"
#include "output/scrittura_formato.h"
#include "textfile/archivio_file.h"

namespace scenario {

namespace {

// The loader reads one element per metre up to the extended length: any other count would shift
// the whole geometry.
void verifica_profilo(const stato_run& stato) {
    const profilo_linea& profilo = stato.profilo;
    if (!profilo.dimensionato() || profilo.ultimo_metro() != stato.lunghezza_estesa) {
        throw guasto_esecuzione("profilo_linea non dimensionato a lunghezza_estesa " +
                                std::to_string(stato.lunghezza_estesa));
    }
}

}  // namespace

void produci_profilo_linea(const stato_run& stato, destinazione_byte& destinazione) {
    verifica_profilo(stato);
    scrittore_byte out(destinazione);
    for (int componente = 0; componente <= 1; ++componente) {
        formato::scrivi_componente(out, stato.profilo, componente);
    }
    out.concludi();
}

std::string byte_profilo_linea(const stato_run& stato) {
    destinazione_stringa destinazione;
    verifica_profilo(stato);
    const std::size_t metri = static_cast<std::size_t>(stato.profilo.ultimo_metro()) + 1;
    destinazione.dati().reserve(2 * metri * formato::byte_elemento_massimo);
    produci_profilo_linea(stato, destinazione);
    return std::move(destinazione.dati());
}

std::string byte_punti(const stato_run& stato) {
    scrittore_byte out;
    std::size_t totale = 0;
    for (const punto& p : stato.punti) totale += formato::byte_punto(p.nome.size());
    out.riserva(totale);
    for (int n = 0; n < indice_punti::numero; ++n) formato::scrivi_punto(out, stato.punti[n]);
    return out.prendi();
}

// The cells the ".dat" file holds must be in the table: checked before any file is touched, so
// that the file itself can be produced later, as it is written.
void verifica_percorso(const stato_run& stato) {
    if (stato.ultima_cella >= 0) static_cast<void>(stato.percorso[stato.ultima_cella]);
}

void produci_percorso(const stato_run& stato, destinazione_byte& destinazione) {
    verifica_percorso(stato);
    scrittore_byte out(destinazione);
    for (std::int32_t n = 0; n <= stato.ultima_cella; ++n)
        formato::scrivi_cella(out, stato.percorso[n]);
    out.concludi();
}

std::string byte_percorso(const stato_run& stato) {
    destinazione_stringa destinazione;
    if (stato.ultima_cella >= 0) {
        destinazione.dati().reserve(
            formato::inizio_cella(static_cast<std::size_t>(stato.ultima_cella) + 1));
    }
    produci_percorso(stato, destinazione);
    return std::move(destinazione.dati());
}

void scrivi_file_binari(const stato_run& stato) {
    // The faults of the model come out before any file is created: the geometry's size and the
    // cells' range are checked, and the records are built whole (a name too long for its count).
    if (stato.scrivi_linea != 0) verifica_profilo(stato);
    verifica_percorso(stato);
    // Owned by the producer: a store may keep it and produce the file later.
    auto sim = std::make_shared<const std::string>(byte_punti(stato));

    // One unit: the simulator must never load the cells of one run with the records of another.
    std::vector<file_prodotto> insieme;
    if (stato.scrivi_linea != 0) {
        insieme.push_back({percorso_file(stato, nome_file_linea(stato)),
                           [&stato](destinazione_byte& d) { produci_profilo_linea(stato, d); }});
    }
    insieme.push_back({percorso_file(stato, nome_file_sim(stato)),
                       [sim](destinazione_byte& d) { d.ricevi(*sim); }});
    insieme.push_back({percorso_file(stato, nome_file_dat(stato)),
                       [&stato](destinazione_byte& d) { produci_percorso(stato, d); }});
    archivio_di(stato).sostituisci(insieme);
}

}  // namespace scenario
