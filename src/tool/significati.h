#pragma once

#include <cstddef>
#include <string>

#include "model/cella.h"

namespace scenario::strumento {

// The name of a cell kind (`tipo`), as docs/formats.md lists them; empty for a value the compiler
// never writes.
const char* nome_tipo_cella(std::uint8_t tipo);

// What the stored value of member `indice` (file order, 0 = tipo .. 10 = aderenza) of a cell
// means, for a person reading a dump: a kind's name, a speed in km/h, a gradient in per mille,
// the fields a value packs, in the names of the source row they came from. Empty where the raw
// value says it all or the compiler gives it no meaning for the cell's kind.
std::string significato_membro_cella(const cella& c, std::size_t indice);

}  // namespace scenario::strumento
