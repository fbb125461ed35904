#include "train/sorgente_treno.h"

#include "model/nomi_file.h"
#include "textfile/scrittore_testo.h"

namespace scenario {

std::vector<std::string> elenco_sorgente_treno() { return con_marcatore({}); }

void dati_treno(const stato_run& stato) {
    scrivi_file_testo(percorso_file(stato, nome_sorgente_treno(stato)), elenco_sorgente_treno());
}

}  // namespace scenario
