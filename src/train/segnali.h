#pragma once

#include <cstdint>

#include "model/stato_run.h"

namespace scenario {

// The eleven fields of a "segnale" row, in row order.
struct riga_segnale {
    std::int32_t posizione = 0;
    std::int32_t sx = 0;
    std::int32_t s1 = 0;
    std::int32_t s2 = 0;
    std::int32_t s3 = 0;
    std::int32_t rapp = 0;
    std::int32_t dx = 0;
    std::int32_t d1 = 0;
    std::int32_t d2 = 0;
    std::int32_t d3 = 0;
    std::int32_t tempo = 0;
};

// Places a signal in cell nearest(posizione / 50 + 1) and approach marks in the 2nd, 4th, 6th
// and 8th cells before it. A signal cell that is not free records code 16 and writes nothing.
// A `tempo` of 1 to 100 becomes 101, in `segnale` too. An approach cell before cell 0 (a signal
// below 325 m) is a run-time fault, met after the signal cell is written.
void memo_segnale(stato_run& stato, riga_segnale& segnale);

}  // namespace scenario
