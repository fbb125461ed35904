#pragma once

#include <cstdint>

#include "model/stato_run.h"

namespace scenario {

// Places one mountain (scenery) over cells nearest(inizio / 50) .. nearest(fine / 50 - 1).
// A kind above 10 means the same kind less 10 with a marker (`tipo` 11) in every fourth cell
// that is still plain track; a mountain starting 150 m or less after the previous one ends
// becomes kind 3. May change the caller's `tipo`. Uses the shared `i` and `k`. More than 80
// mountains are a run-time fault before anything is written; a cell outside the array is one
// when the writing reaches it, the cells before it written.
void memo_montagna(stato_run& stato, std::int32_t& inizio, std::int32_t& fine, std::int32_t& tipo);

}  // namespace scenario
