#include "tool/comando_lsp.h"

#include <array>
#include <condition_variable>
#include <iostream>
#include <mutex>
#include <thread>

#include "tool/argomenti.h"
#include "tool/lsp_cornice.h"
#include "tool/lsp_server.h"
#include "tool/piattaforma_strumento.h"

namespace scenario::strumento {

int servi_lsp(std::istream& in, std::ostream& out, std::ostream& errori,
              std::chrono::milliseconds attesa) {
    using orologio = std::chrono::steady_clock;
    std::mutex mutex;
    std::condition_variable sveglia;
    orologio::time_point scadenza = orologio::now();
    bool finito = false;
    // Every call into the server, and so every message written, holds the mutex.
    lsp::server_lsp server([&out](const nlohmann::json& messaggio) {
        lsp::scrivi_messaggio(
            out, messaggio.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
    });

    // Checks run here, once no change has come for `attesa`.
    std::thread pubblicazione([&] {
        std::unique_lock<std::mutex> blocco(mutex);
        while (!finito) {
            if (!server.in_attesa()) {
                sveglia.wait(blocco);
            } else if (orologio::now() < scadenza) {
                sveglia.wait_until(blocco, scadenza);
            } else {
                server.pubblica();
            }
        }
    });

    int stato = 1;
    for (;;) {
        lsp::messaggio_letto m = lsp::leggi_messaggio(in);
        if (m.esito == lsp::esito_lettura::fine) {
            errori << "scenario-tool lsp: the input ended before 'exit'\n";
            break;
        }
        if (m.esito == lsp::esito_lettura::cornice_errata) {
            errori << "scenario-tool lsp: " << m.motivo << "; stopping\n";
            break;
        }
        std::lock_guard<std::mutex> blocco(mutex);
        server.gestisci(m.corpo);
        if (server.in_attesa()) {
            scadenza = orologio::now() + attesa;
            sveglia.notify_one();
        }
        if (server.terminato()) {
            stato = server.stato_uscita();
            break;
        }
    }
    {
        std::lock_guard<std::mutex> blocco(mutex);
        finito = true;
    }
    sveglia.notify_one();
    pubblicazione.join();
    return stato;
}

int comando_lsp(const std::vector<std::string>& parole, std::ostream& uscita,
                std::ostream& errori) {
    // Editors' clients add --stdio to say which transport they expect: the only one there is.
    static constexpr std::array<opzione, 1> opzioni = {{{"stdio", '\0', false}}};
    argomenti a = analizza_argomenti(parole, opzioni);
    if (!a.posizionali.empty()) throw errore_uso("lsp takes no folder: the editor names the files");
    flussi_standard_binari();
    return servi_lsp(std::cin, uscita, errori);
}

}  // namespace scenario::strumento
