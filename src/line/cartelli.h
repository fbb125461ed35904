#pragma once

#include <cstdint>
#include <string>

#include "model/stato_run.h"

namespace scenario {

// The nine fields of an "indicatori_vmax" row, in row order: the speeds (km/h) of categories A,
// B, C and the stripe count, for the "s" set and then the "d" set.
struct riga_indicatori_v_max {
    std::int32_t posizione = 0;
    std::int32_t vas = 0;
    std::int32_t vbs = 0;
    std::int32_t vcs = 0;
    std::int32_t strisces = 0;
    std::int32_t vad = 0;
    std::int32_t vbd = 0;
    std::int32_t vcd = 0;
    std::int32_t strisced = 0;
};

// Places a maximum-speed indicator board in cell nearest(posizione / 50 + 1): each of `dato1`..
// `dato3` packs the "s" and "d" speeds of one category (speed·20 + speed/5, rounded to 16 bits,
// a fault beyond them), `dato4` the two stripe counts, written in that order: on the fault the
// cell keeps `tipo` and the pairs before the one that overflowed. A cell that is not free:
// code 21, nothing written.
void memo_indicatori_v_max(stato_run& stato, const riga_indicatori_v_max& r);

// Places an indication board in cell nearest(posizione / 50 + 1), its text in `punti`(indice),
// and moves `indice` down by one. False, nothing written, when the cell is not free. Running out
// of board indices (below 1) is a run-time fault.
bool memo_cartello_indicatore(stato_run& stato, std::int32_t posizione, const std::string& testo,
                              std::int32_t& indice);

}  // namespace scenario
