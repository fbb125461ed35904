#include "train/lettore_treno.h"

namespace scenario {

void leggi_sorgente_treno(stato_run&, std::int32_t) {}

}  // namespace scenario
