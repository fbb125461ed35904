#pragma once

#include <cstdint>

#include "model/stato_run.h"

namespace scenario {

// The train half of `memorizza_dati`: reads the train source into the model, deletes it, and
// completes the profiles and the chainage test at the end of reading. Records codes in `stato`;
// a run-time fault is thrown (the caller turns it into code 25).
void leggi_sorgente_treno(stato_run& stato, std::int32_t prossimo_cartello);

}  // namespace scenario
