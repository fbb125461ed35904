#pragma once

#include "line/lettura_linea.h"
#include "model/stato_run.h"

namespace scenario {

// Skips everything up to the first field containing "[generale]". False when the file ends
// first: code 102 recorded and the source deleted.
bool cerca_generale(stato_run& stato, lettura_linea& lettura);

// The header part, up to the first section header: length (and sizing), chainage systems,
// backgrounds, cab-signal section. Returns `abbandona` after codes 1, 3, 4 and 5.
esito_lettura leggi_intestazione_linea(stato_run& stato, lettura_linea& lettura);

// Puts the three chainage systems of `punti` 81..83 in order (largest start first, or, when
// every start is 0, by which offsets are positive) and adds 100 to the offsets flagged 1.
void progressive_ordina(stato_run& stato);

}  // namespace scenario
