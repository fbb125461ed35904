#include "tool/diagnostica.h"

#include "run/codici_errore.h"

namespace scenario::strumento {

const char* nome_gravita(gravita g) {
    switch (g) {
        case gravita::errore:
            return "error";
        case gravita::avviso:
            return "warning";
        case gravita::nota:
            return "note";
    }
    return "error";
}

std::string riga_diagnostica(const diagnostica& d) {
    std::string testo;
    if (d.file.empty()) {
        testo = "scenario-tool";
    } else {
        testo = d.file + ":" + std::to_string(d.riga) + ":" + std::to_string(d.colonna);
    }
    testo += ": ";
    testo += nome_gravita(d.livello);
    testo += ": " + d.messaggio;
    for (const std::string& n : d.note) testo += "\n  note: " + n;
    return testo;
}

diagnostica diagnostica_da_stato(const stato_run& stato) {
    diagnostica d;
    d.codice = stato.codice_errore;
    d.messaggio = "Errore " + std::to_string(stato.codice_errore) + ": " +
                  significato_codice(stato.codice_errore);
    if (codice_con_posizione(stato.codice_errore)) d.posizione = stato.posizione_errore;
    if (stato.codice_errore == 25 && !stato.causa_guasto.empty()) {
        d.messaggio += ": " + stato.causa_guasto;
    }
    if (!stato.luogo_errore.file.empty()) {
        d.file = stato.luogo_errore.file;
        d.riga = stato.luogo_errore.riga;
        d.colonna = stato.luogo_errore.colonna;
    }
    return d;
}

}  // namespace scenario::strumento
