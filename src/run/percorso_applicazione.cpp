#include "run/percorso_applicazione.h"

#include <system_error>

#include "model/guasto.h"

namespace scenario {

std::filesystem::path cartella_applicazione() {
    std::error_code errore;
    std::filesystem::path eseguibile = std::filesystem::read_symlink("/proc/self/exe", errore);
    if (errore) throw guasto_file("/proc/self/exe", errore.message());
    return eseguibile.parent_path();
}

}  // namespace scenario
