#pragma once

#include <cstdint>
#include <string>

#include "model/stato_run.h"

namespace scenario {

// Places a maximum-speed indicator board in cell nearest(posizione / 50 + 1): each of `dato1`..
// `dato3` packs the "s" and "d" speeds of one category (speed·20 + speed/5, rounded to 16 bits,
// a fault beyond them), `dato4` the two stripe counts. A cell that is not free: code 21,
// nothing written. The speeds and stripes are only read.
void memo_indicatori_v_max(stato_run& stato, std::int32_t posizione, std::int32_t vas,
                           std::int32_t vbs, std::int32_t vcs, std::int32_t strisces,
                           std::int32_t vad, std::int32_t vbd, std::int32_t vcd,
                           std::int32_t strisced);

// Places an indication board in cell nearest(posizione / 50 + 1), its text in `punti`(indice),
// and moves `indice` down by one. False, nothing written, when the cell is not free. Running out
// of board indices (below 1) is a run-time fault.
bool memo_cartello_indicatore(stato_run& stato, std::int32_t posizione, const std::string& testo,
                              std::int32_t& indice);

}  // namespace scenario
