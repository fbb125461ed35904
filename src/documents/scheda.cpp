#include "documents/documenti.h"
#include "model/nomi_file.h"
#include "textfile/scrittore_testo.h"

namespace scenario {

std::vector<std::string> elenco_scheda() { return con_marcatore({}); }

void dati_scheda(const stato_run& stato) {
    scrivi_file_testo(percorso_file(stato, nome_scheda(stato)), elenco_scheda());
}

}  // namespace scenario
