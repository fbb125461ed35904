#pragma once

#include <cstdint>

#include "model/stato_run.h"

namespace scenario {

// The six fields of a "rallentamento" row, in row order.
struct riga_rallentamento {
    std::int32_t x = 0;  // start, m
    std::int32_t v = 0;  // speed, km/h
    std::int32_t l = 0;  // length, m
    std::int32_t f_tt = 0;
    std::int32_t f_ta = 0;  // not 0: four approach cells before the warning board
    std::int32_t d_v = 0;
};

// Places a slowdown: warning board 1200 m before the start (only when `x` > 1500), start and end
// cells, then the board's approach cells. The board, start and end cells are all tested before
// any is written (codes 17, 18, 19); the approach cells are tested after them (code 20), so on
// code 20 the slowdown's own cells stay written. An end cell beyond the array is a run-time
// fault, met before any write.
void memo_rallentamento(stato_run& stato, const riga_rallentamento& r);

}  // namespace scenario
