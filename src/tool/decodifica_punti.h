#pragma once

#include <string_view>
#include <vector>

#include "model/punto.h"

namespace scenario::strumento {

// The 87 records of a ".sim" file, index 0 first; `nome` keeps its Windows-1252 bytes. A record
// cut short, a name length that is negative or runs past the end, or bytes after the 87th record
// are a file_malformato.
std::vector<punto> decodifica_punti(std::string_view byte);

}  // namespace scenario::strumento
