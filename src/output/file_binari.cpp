#include "output/file_binari.h"

#include <string_view>
#include <vector>

#include "model/guasto.h"
#include "model/nomi_file.h"
#include "output/formato_file.h"
#include "output/scrittura_formato.h"
#include "textfile/file_disco.h"

namespace scenario {

std::string byte_profilo_linea(const stato_run& stato) {
    const profilo_linea& profilo = stato.profilo;
    // The loader reads one element per metre up to the extended length: any other count would
    // shift the whole geometry.
    if (!profilo.dimensionato() || profilo.ultimo_metro() != stato.lunghezza_estesa) {
        throw guasto_esecuzione("profilo_linea non dimensionato a lunghezza_estesa " +
                                std::to_string(stato.lunghezza_estesa));
    }
    scrittore_byte out;
    std::size_t elementi = 2 * (static_cast<std::size_t>(profilo.ultimo_metro()) + 1);
    out.riserva(elementi * formato::byte_elemento_massimo);
    for (int componente = 0; componente <= 1; ++componente) {
        for (std::int32_t metro = 0; metro <= profilo.ultimo_metro(); ++metro) {
            formato::scrivi_elemento(out, profilo, metro, componente);
        }
    }
    return out.prendi();
}

std::string byte_punti(const stato_run& stato) {
    scrittore_byte out;
    std::size_t totale = 0;
    for (const punto& p : stato.punti) totale += formato::byte_punto(p.nome.size());
    out.riserva(totale);
    for (int n = 0; n < indice_punti::numero; ++n) formato::scrivi_punto(out, stato.punti[n]);
    return out.prendi();
}

std::string byte_percorso(const stato_run& stato) {
    scrittore_byte out;
    if (stato.ultima_cella >= 0) {
        out.riserva(formato::inizio_cella(static_cast<std::size_t>(stato.ultima_cella) + 1));
    }
    for (std::int32_t n = 0; n <= stato.ultima_cella; ++n)
        formato::scrivi_cella(out, stato.percorso[n]);
    return out.prendi();
}

void scrivi_file_binari(const stato_run& stato) {
    std::string linea;
    if (stato.scrivi_linea != 0) linea = byte_profilo_linea(stato);
    std::string sim = byte_punti(stato);
    std::string dat = byte_percorso(stato);

    // One unit: the simulator must never load the cells of one run with the records of another.
    std::vector<contenuto_file> insieme;
    if (stato.scrivi_linea != 0) {
        insieme.push_back({percorso_file(stato, nome_file_linea(stato)), linea});
    }
    insieme.push_back({percorso_file(stato, nome_file_sim(stato)), sim});
    insieme.push_back({percorso_file(stato, nome_file_dat(stato)), dat});
    sostituisci_file(insieme);
}

}  // namespace scenario
