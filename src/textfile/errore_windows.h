#pragma once

#ifdef _WIN32
#include <system_error>

#include "textfile/sistema_windows.h"

namespace scenario {

// A Windows failure as an error code. The common ones take the words the C library uses, so
// that messages read as on Linux; any other keeps the system's own text.
std::error_code errore_windows(DWORD codice);

}  // namespace scenario
#endif
