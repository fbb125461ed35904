#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace scenario::strumento {

// The whole tool: `parole` are the words after the program name. Data goes to `uscita`, messages
// to `errori`; returns the exit status (stati_uscita.h). Output that `uscita` refuses (a full
// disk, a closed descriptor) ends with a message and status 3, whatever the command returned.
int esegui_strumento(const std::vector<std::string>& parole, std::ostream& uscita,
                     std::ostream& errori);

}  // namespace scenario::strumento
