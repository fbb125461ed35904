#pragma once

#include <string>
#include <string_view>

namespace scenario::strumento::svg {

// UTF-8 text made safe for XML content and attribute values: the five special characters
// escaped, control bytes that XML forbids replaced by "?".
std::string testo(std::string_view utf8);

// A coordinate with one decimal, '.' as the separator whatever the locale.
std::string n(double valore);

}  // namespace scenario::strumento::svg
