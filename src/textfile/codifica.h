#pragma once

#include <string>
#include <string_view>

namespace scenario {

// The program's texts are written in UTF-8 in the source code and stored on disk as
// Windows-1252 bytes, one byte per character.

// UTF-8 to Windows-1252; a character the code page cannot hold is a std::invalid_argument.
std::string in_cp1252(std::string_view utf8);

// Windows-1252 to UTF-8 (the five unassigned bytes become U+FFFD).
std::string da_cp1252(std::string_view cp1252);

}  // namespace scenario
