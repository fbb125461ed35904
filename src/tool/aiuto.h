#pragma once

#include <string_view>

namespace scenario::strumento {

// The text of `scenario-tool --help`.
std::string_view aiuto_generale();

// The help of one command; empty for a name that is not a command.
std::string_view aiuto_comando(std::string_view comando);

}  // namespace scenario::strumento
