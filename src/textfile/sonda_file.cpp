#include "textfile/sonda_file.h"

#include <atomic>

namespace scenario {

namespace {

// Constant-initialised, so an observer installed by a static object of a test executable is
// already in place when main starts.
std::atomic<osservatore_file*> osservatore_attuale{nullptr};

}  // namespace

const char* nome_operazione(operazione_file operazione) {
    switch (operazione) {
        case operazione_file::crea:
            return "crea";
        case operazione_file::scrivi:
            return "scrivi";
        case operazione_file::svuota:
            return "svuota";
        case operazione_file::chiudi:
            return "chiudi";
        case operazione_file::rinomina:
            return "rinomina";
        case operazione_file::elimina:
            return "elimina";
    }
    return "?";
}

void imposta_osservatore_file(osservatore_file* osservatore) { osservatore_attuale = osservatore; }

int sonda_prima(operazione_file operazione, const std::filesystem::path& file,
                const std::filesystem::path& destinazione) {
    osservatore_file* o = osservatore_attuale.load();
    return o != nullptr ? o->prima(operazione, file, destinazione) : 0;
}

void sonda_dopo(operazione_file operazione, const std::filesystem::path& file,
                const std::filesystem::path& destinazione) {
    osservatore_file* o = osservatore_attuale.load();
    if (o != nullptr) o->dopo(operazione, file, destinazione);
}

}  // namespace scenario
