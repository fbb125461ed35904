#pragma once

// A row of a source as an author sees it in the editor: the section it stands in and where each
// of its fields begins and ends. The readers do not work this way (they read a stream of
// fields); this serves hover, completion and the outline only.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tool/lsp_nomi.h"
#include "verifica/forme_record.h"

namespace scenario::strumento::lsp {

struct campo_riga {
    std::size_t inizio = 0;  // byte offsets on the line; `fine` excluded
    std::size_t fine = 0;
};

// The fields of one line: [0] the keyword, then the record's fields. In a train source numbers
// separated by blanks alone are separate fields; the text field (`campo_testo`) of `forma` runs to
// the end of the line in a train source and to the next comma in a line source.
std::vector<campo_riga> campi_riga(std::string_view riga, tipo_sorgente tipo,
                                   const forma_record* forma);

// The field the byte at `indice` belongs to: the last one that begins at or before it.
std::size_t campo_a(const std::vector<campo_riga>& campi, std::size_t indice);

// What a line holds, for the features that read a whole source.
struct riga_sorgente {
    std::int32_t numero = 0;  // 0-based
    std::string testo;        // Windows-1252, without its line end
    std::string sezione;      // the header above it in lower case ("[segnali]"); empty before any
    bool intestazione = false;
};

std::vector<riga_sorgente> righe_sorgente(std::string_view byte);

// The part of the format a line stands in: the line source's header runs from [generale] to the
// next section header, its features after it; a train source is one part.
parte_sorgente parte_di(tipo_sorgente tipo, std::string_view sezione);

// The record a line is, or nullptr (a comment, a header, a blank line, an unknown keyword).
const forma_record* record_della_riga(const riga_sorgente& riga, tipo_sorgente tipo);

}  // namespace scenario::strumento::lsp
