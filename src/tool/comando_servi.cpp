#include "tool/comando_servi.h"

#include <array>

#include "tool/argomenti.h"
#include "tool/piattaforma_strumento.h"
#include "tool/server_anteprima.h"

namespace scenario::strumento {

int comando_servi(const std::vector<std::string>& parole, std::ostream& uscita,
                  std::ostream& errori) {
    static constexpr std::array<opzione, 4> opzioni = {{
        {"scenario", '\0', true},
        {"train", '\0', true},
        {"no-line", '\0', false},
        {"port", '\0', true},
    }};
    argomenti a = analizza_argomenti(parole, opzioni);
    richiesta_anteprima richiesta;
    richiesta.compilazione.sorgenti = percorso_utente(a.cartella_sorgenti());
    richiesta.compilazione.uscita = richiesta.compilazione.sorgenti;
    richiesta.compilazione.nome_scenario = a.richiesto("scenario");
    richiesta.compilazione.numero_treno = a.richiesto("train");
    verifica_nome(richiesta.compilazione.nome_scenario, "scenario");
    verifica_nome(richiesta.compilazione.numero_treno, "train");
    richiesta.compilazione.con_linea = !a.ha("no-line");
    if (const std::string* porta = a.valore("port")) {
        std::int32_t n = intero_positivo(*porta, "port");
        if (n > 65535) throw errore_uso("--port takes a number from 1 to 65535, got " + *porta);
        richiesta.porta = static_cast<int>(n);
    }
    return servi(richiesta, uscita, errori);
}

}  // namespace scenario::strumento
