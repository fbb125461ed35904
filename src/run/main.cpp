#include <iostream>

#ifndef _WIN32
#include <csignal>
#endif

#include "model/guasto.h"
#include "run/finestra.h"
#include "run/form_load.h"
#include "run/percorso_applicazione.h"

int main() {
    using namespace scenario;
#ifndef _WIN32
    // Past a file-size limit the write must fail with EFBIG and be reported like a full disk,
    // rather than the signal killing the process with a temporary file half-written.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    std::unique_ptr<piattaforma> schermo = crea_piattaforma();
    esito_run esito;
    try {
        stato_run stato;
        esito = Form_Load(stato, *schermo, cartella_applicazione());
    } catch (const guasto_file& e) {
        esito.come = esito_run::fine::guasto;
        esito.diagnosi = "Cartella del programma sconosciuta (" + e.file() + "): " + e.causa();
    }
    if (!esito.diagnosi.empty()) std::cerr << esito.diagnosi << '\n';
    if (esito.come == esito_run::fine::guasto) schermo->mostra_guasto(esito.diagnosi);
    return stato_uscita(esito);
}
