#pragma once

#include <string>

#include "tool/scenario_compilato.h"

namespace scenario::strumento {

// One SVG page for a person: title, the plan of the line (when the geometry is there) and, on
// one distance axis under it, gradient, speed limit, adhesion, signals, slowdowns, boards,
// mountains and stations.
std::string disegna_svg(const scenario_compilato& s);

}  // namespace scenario::strumento
