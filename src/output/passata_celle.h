#pragma once

#include <cstdint>

#include "model/stato_run.h"

namespace scenario {

// The smaller of two values: `y` when `x` > `y`, otherwise `x`.
std::int32_t minimo(std::int32_t x, std::int32_t y);

// Adds the cab-code change points (code 180) around every slowdown: before the signals on the
// approach side of each warning board, in three groups before each start, every 400 m inside a
// slowdown slower than 110 km/h and before the first signal within 600 m after its end. Codes 11,
// 12 and 13 are recorded with their position and the pass goes on. Uses the shared `i`, `k` and
// `contatore`; never reads or writes a cell past `ultima_cella`.
void passata_celle(stato_run& stato);

}  // namespace scenario
