#pragma once

#include <string_view>
#include <vector>

#include "model/cella.h"

namespace scenario::strumento {

inline constexpr std::size_t byte_per_cella = 15;

// The track cells of a ".dat" file, cell 0 first. An empty file or one whose size is not a
// multiple of 15 is a file_malformato.
std::vector<cella> decodifica_celle(std::string_view byte);

}  // namespace scenario::strumento
