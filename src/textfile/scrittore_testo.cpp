#include "textfile/scrittore_testo.h"

#include <stdexcept>

#include "textfile/codifica.h"
#include "textfile/file_disco.h"

namespace scenario {

std::string testo_da_elenco(const std::vector<std::string>& elenco) {
    if (elenco.size() > righe_massime) {
        throw std::logic_error("elenco di righe oltre " + std::to_string(righe_massime) + " voci");
    }
    std::string testo;
    for (const std::string& riga : elenco) {
        if (riga == marcatore_fine) return testo;
        testo += in_cp1252(riga);
        testo += "\r\n";
    }
    throw std::logic_error("elenco di righe senza marcatore di fine");
}

void scrivi_file_testo(const std::filesystem::path& file, const std::vector<std::string>& elenco) {
    sostituisci_file(file, testo_da_elenco(elenco));
}

std::vector<std::string> con_marcatore(std::vector<std::string> righe) {
    righe.emplace_back(marcatore_fine);
    return righe;
}

}  // namespace scenario
