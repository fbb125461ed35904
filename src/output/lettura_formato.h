#pragma once

#include <string_view>
#include <vector>

#include "model/cella.h"
#include "model/profilo_linea.h"
#include "model/punto.h"
#include "output/lettore_byte.h"

// The reading half of the binary formats (formato_file.h): one record or element at a time from
// a byte stream, and whole files on top. Every fault of the layout is a file_malformato naming the
// byte offset where it was found; nothing is ever read beyond the bytes given.
namespace scenario::formato {

cella leggi_cella(lettore_byte& in);
// A negative name length, or one that runs past the end, is a file_malformato at the count.
punto leggi_punto(lettore_byte& in);

// The track cells of a ".dat" file, cell 0 first. An empty file, one whose size is not a
// multiple of the cell size, or one with more cells than the longest line has is a
// file_malformato.
std::vector<cella> decodifica_celle(std::string_view byte);

// The 87 records of a ".sim" file, index 0 first; `nome` keeps its Windows-1252 bytes. A record
// cut short, a bad name length, or bytes after the 87th record are a file_malformato.
std::vector<punto> decodifica_punti(std::string_view byte);

// The per-metre geometry of a "_linea.dat" file. An unknown type code, an element cut short, an
// empty file, an odd number of elements or more metres than the longest line has is a
// file_malformato. The whole file is checked before the geometry is allocated.
profilo_linea decodifica_geometria(std::string_view byte);

// The metres of a "_linea.dat" file, after every check decodifica_geometria makes; nothing is
// allocated.
std::int32_t conta_metri_geometria(std::string_view byte);

}  // namespace scenario::formato
