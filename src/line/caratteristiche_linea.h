#pragma once

#include <cstdint>

#include "line/lettura_linea.h"
#include "model/stato_run.h"

namespace scenario {

// The state the feature records start from, and the first two metres of the geometry (at the
// origin, heading along the second component). A source without a length line is a run-time
// fault here: nothing has sized the cells or the geometry.
void prepara_caratteristiche(stato_run& stato, lettura_linea& lettura);

// Reads the feature records to the end of the file. Returns `fine_lettura` at the end of the file
// or after code 15, `abbandona` after codes 6, 21 and 103.
esito_lettura leggi_caratteristiche_linea(stato_run& stato, lettura_linea& lettura);

// Deletes the source, then carries the last gradient up to the third-last cell and the geometry
// straight on up to the third-last metre.
void concludi_caratteristiche(stato_run& stato, lettura_linea& lettura);

// The range test of every feature record: a record at `posizione` needs 100 m of line after it.
bool fuori_linea(const stato_run& stato, std::int32_t posizione);

}  // namespace scenario
