#pragma once

// The data of the live page as JSON: every row of the picture in a compact form (runs of equal
// cells, one entry per feature, the plan sampled), never one value per metre.
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "tool/diagnostica.h"
#include "tool/scenario_compilato.h"

namespace scenario::strumento {

// At most this many points of the plan are sent; the page draws the part in view.
inline constexpr std::int64_t punti_pianta_massimi = 20000;

nlohmann::json json_scenario(const scenario_compilato& s);

nlohmann::json json_diagnostiche(const std::vector<diagnostica>& elenco);

}  // namespace scenario::strumento
