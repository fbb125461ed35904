#include "verifica/verifica_sorgenti.h"

#include <algorithm>

#include "model/nomi_file.h"
#include "run/piattaforma.h"

namespace scenario {

namespace {

// The cells and records are copied out only for a caller that asks for them.
std::vector<diagnostica> verifica(sorgenti_da_compilare sorgenti, contenuto_verificato* contenuto) {
    raccolta_diagnostiche raccolta(true);
    sorgenti.diagnostiche = &raccolta;
    // Nothing is written, so the sources need no folder: they are read from memory.
    sorgenti.in_memoria = true;
    // The stamp conflict's message box is a diagnostic here.
    piattaforma_muta schermo;
    compilazione_privata compilazione(sorgenti, schermo);
    const stato_run& stato = compilazione.stato();
    if (contenuto != nullptr) {
        contenuto->celle.assign(stato.percorso.begin(), stato.percorso.end());
        contenuto->punti.assign(stato.punti.begin(), stato.punti.end());
    }
    // In the order an author reads: the line source, the train source, then what has no row;
    // within a file by line, keeping the order found on one line.
    const identita_file nomi{sorgenti.nome_scenario, sorgenti.numero_treno};
    const std::string linea = nome_sorgente_linea(nomi);
    auto rango = [&linea](const diagnostica& d) {
        return d.file.empty() ? 2 : d.file == linea ? 0 : 1;
    };
    std::vector<diagnostica> elenco = std::move(raccolta.elenco());
    std::stable_sort(elenco.begin(), elenco.end(),
                     [&rango](const diagnostica& a, const diagnostica& b) {
                         if (rango(a) != rango(b)) return rango(a) < rango(b);
                         return a.riga < b.riga;
                     });
    return elenco;
}

}  // namespace

std::vector<diagnostica> verifica_sorgenti(sorgenti_da_compilare sorgenti) {
    return verifica(std::move(sorgenti), nullptr);
}

std::vector<diagnostica> verifica_sorgenti(sorgenti_da_compilare sorgenti,
                                           contenuto_verificato& contenuto) {
    return verifica(std::move(sorgenti), &contenuto);
}

}  // namespace scenario
