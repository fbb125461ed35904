#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace scenario::strumento {

// The whole tool: `parole` are the words after the program name. Data goes to `uscita`, messages
// to `errori`; returns the exit status (stati_uscita.h).
int esegui_strumento(const std::vector<std::string>& parole, std::ostream& uscita,
                     std::ostream& errori);

}  // namespace scenario::strumento
