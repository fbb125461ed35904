#pragma once

#include <cstdint>

#include "model/stato_run.h"

namespace scenario {

// The smaller of two values: `y` when `x` > `y`, otherwise `x`.
std::int32_t minimo(std::int32_t x, std::int32_t y);

// Adds the cab-code change points around every slowdown (codes 11, 12, 13 recorded, the pass
// goes on).
void passata_celle(stato_run& stato);

}  // namespace scenario
