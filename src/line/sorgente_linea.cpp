#include "line/sorgente_linea.h"

#include "model/nomi_file.h"
#include "textfile/scrittore_testo.h"

namespace scenario {

std::vector<std::string> elenco_sorgente_linea() { return con_marcatore({}); }

void dati_linea(const stato_run& stato) {
    scrivi_file_testo(percorso_file(stato, nome_sorgente_linea(stato)), elenco_sorgente_linea());
}

}  // namespace scenario
