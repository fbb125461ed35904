#pragma once

#include <string>

namespace scenario::strumento {

// A UTF-8 text as a JSON string, quotes included: `"` and `\` escaped, control characters as
// \u00XX, everything else as it is.
std::string stringa_json(const std::string& utf8);

}  // namespace scenario::strumento
