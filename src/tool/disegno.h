#pragma once

#include <optional>
#include <string>

#include "tool/scenario_compilato.h"

namespace scenario::strumento {

// A stretch of the line, metres from the start.
struct tratto_linea {
    double da = 0;
    double a = 0;
};

// The stretch a page shows by default: from the start to the end of the line or of the last
// station zone, whichever is farther.
tratto_linea tratto_intero(const scenario_compilato& s);

// One SVG page for a person: title, the plan of the line (when the geometry is there) and, on
// one distance axis under it, the same rows as the live page of `serve`: chainage, stations,
// curves, gradient, speed limit and slowdowns, adhesion, signals, cab signals, boards and
// mountains. `tratto` limits the page to a stretch.
std::string disegna_svg(const scenario_compilato& s, std::optional<tratto_linea> tratto = {});

}  // namespace scenario::strumento
