#pragma once

#include <cstdint>

#include "model/stato_run.h"

namespace scenario {

// The train half of `memorizza_dati`: reads the train source into the model and deletes it.
// When reading ends at the end of the file or with code 15 it completes the speed and adhesion
// profiles and tests the chainage systems (code 2); any other code ends it at once, profiles
// left incomplete. `prossimo_cartello` is the next free board-text index the line reader left:
// stations must stay below it. Records codes in `stato`; a run-time fault is thrown (the caller
// turns it into code 25 and deletes the sources).
void leggi_sorgente_treno(stato_run& stato, std::int32_t prossimo_cartello);

}  // namespace scenario
