#include "documents/documenti.h"
#include "model/nomi_file.h"
#include "textfile/scrittore_testo.h"

namespace scenario {

std::vector<std::string> elenco_note() { return con_marcatore({}); }

void dati_note(const stato_run& stato) {
    scrivi_file_testo(percorso_file(stato, nome_note(stato)), elenco_note());
}

}  // namespace scenario
