#pragma once

#include <string_view>

namespace scenario {

// Records are recognised by substrings of their keyword field: some compared exactly, some
// ignoring the case of ASCII letters.
bool contiene(std::string_view campo, std::string_view parte);
bool contiene_senza_maiuscole(std::string_view campo, std::string_view parte);

}  // namespace scenario
