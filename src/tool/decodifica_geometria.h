#pragma once

#include <string_view>

#include "model/profilo_linea.h"

namespace scenario::strumento {

// The per-metre geometry of a "_linea.dat" file: all of component 0, then all of component 1,
// each element a type code (0 empty, 2 16-bit integer, 5 double) and its value. An unknown type
// code, an element cut short, an empty file or an odd number of elements is a file_malformato.
profilo_linea decodifica_geometria(std::string_view byte);

}  // namespace scenario::strumento
