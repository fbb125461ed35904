#pragma once

// What the editor tells about the fields of the two formats: their meaning and range as the
// README's tables give them, the cell member a field ends up in, and the keywords each section
// holds.
#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "tool/lsp_nomi.h"

namespace scenario::strumento::lsp {

// Meaning and allowed range of a record's field, by the record's and the field's name.
std::string_view significato_campo(std::string_view record, std::string_view campo);

// What a whole record is, for the hover on its keyword.
std::string_view significato_record(std::string_view record);

// The cell member (file order, 0 = tipo .. 10 = aderenza) a field's value is stored in, and
// whether the record writes the cell after its position (point features) or the cell at it.
struct deposito_campo {
    std::size_t membro = 0;
    bool cella_dopo = false;
};
std::optional<deposito_campo> deposito(std::string_view record, std::string_view campo);

// Whether a record is a point feature, written in cell p/50 + 1 (signals, slowdowns, boards);
// the profiles and code points are written in cell p/50.
bool punto_dopo_posizione(std::string_view record);

// Whether a field is a position along the line.
bool campo_posizione(std::string_view record, std::string_view campo);

// The record keywords each section of a source holds, as written in the built-in sources.
std::vector<std::string_view> parole_sezione(tipo_sorgente tipo, std::string_view sezione);
const std::vector<std::string_view>& sezioni(tipo_sorgente tipo);

}  // namespace scenario::strumento::lsp
