#include <utility>

#include "documents/documenti.h"
#include "model/nomi_file.h"
#include "textfile/scrittore_testo.h"

namespace scenario {

namespace {

// Rows left on the form for restrictions the order does not use.
constexpr int righe_vuote = 25;

// The rule under the heading also closes the table.
constexpr const char* regola_tabella =
    " |___|____________________________|____________|__________|_________|____________|";

}  // namespace

std::vector<std::string> elenco_rallentamenti() {
    std::vector<std::string> righe = {
        "",
        "                               Modulo M. 3",
        "                           ORDINE DI RALLENTAMENTO",
        " ________________________________________________________________________________",
        "  Linea  Lerno - Castelbrum - Pusena P.F.",
        "",
        "  Si ordina al macchinista del treno 27364 di effettuare i seguenti rallentamenti",
        "  _______________________________________________________________________________",
        " |   |                            |Inizio dopo |          |         |            |",
        " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghezza|Prescrizioni|",
        " |   |   (o nelle Stazioni di)    |chilometrico|          |  metri  | specifiche |",
        regola_tabella,
        // The restriction the train source declares at 21400 m: 50 km/h over 300 m, after
        // post 7 of the chainage that restarts at CASTELBRUM.
        " | 1 |Gruviccano S.O.-GROTTE S.M. |     7      |    50    |  300    |            |",
    };
    righe.insert(
        righe.end(), righe_vuote,
        " |   |                            |            |          |         |            |");
    righe.emplace_back(regola_tabella);
    righe.emplace_back("");
    righe.emplace_back("              Prescrizioni specifiche");
    // The legend keeps the order and wording of the printed form.
    righe.emplace_back(" A - Da rispettare con tutto il treno (per i treni viaggiatori)");
    righe.emplace_back(" B - Interessa anche la stazione di.......");
    righe.emplace_back(" D - Rallentamneto N. ... e N. ...  sono contigui");
    righe.emplace_back(" C - Da rispettare dalle ore ....  alle ore ..... di tutti");
    righe.emplace_back("     i giorni esclusi i seguenti:.........");
    return con_marcatore(std::move(righe));
}

void dati_rallentamenti(const stato_run& stato) {
    scrivi_file_testo(percorso_file(stato, nome_rallentamenti(stato)), elenco_rallentamenti());
}

}  // namespace scenario
