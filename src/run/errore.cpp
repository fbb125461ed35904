#include "run/errore.h"

namespace scenario {

void errore(stato_run& stato, piattaforma& schermo, const std::string& a) {
    stato.risposta = schermo.mostra_messaggio(" Errore n. " + a);
    throw fine_programma{std::stoi(a)};
}

}  // namespace scenario
