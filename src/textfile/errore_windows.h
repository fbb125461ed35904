#pragma once

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <system_error>

namespace scenario {

// A Windows failure as an error code. The common ones take the words the C library uses, so
// that messages read as on Linux; any other keeps the system's own text.
std::error_code errore_windows(DWORD codice);

}  // namespace scenario
#endif
