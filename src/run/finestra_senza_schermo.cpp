// A build without a desktop toolkit: always headless.
#include "run/finestra.h"

namespace scenario {

std::unique_ptr<piattaforma> crea_piattaforma() {
    return std::make_unique<piattaforma_senza_schermo>();
}

}  // namespace scenario
