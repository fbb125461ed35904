#pragma once

// The editor's side of a source: it speaks Unicode text, URIs and columns counted in UTF-16 code
// units (or what the client offers instead); the readers take Windows-1252 bytes and count one
// column per byte. Every Windows-1252 byte is one character, so a byte's index on its line is
// also the index of the character it came from: the columns convert through the text alone.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace scenario::strumento::lsp {

enum class unita_colonna { utf8, utf16, utf32 };

// A character of the editor's text that Windows-1252 has no byte for; it is saved as '?'.
struct carattere_mancante {
    std::int32_t riga = 0;    // 0-based
    std::int32_t indice = 0;  // 0-based character index on its line (its byte's index)
    std::string carattere;    // UTF-8, or the bytes of a sequence that is not UTF-8
};

struct testo_codificato {
    std::string byte;
    std::vector<carattere_mancante> mancanti;
};

// The bytes an editor writes for `utf8` in Windows-1252: one byte per character, '?' for a
// character the code page lacks (and for a byte that starts no UTF-8 sequence).
testo_codificato codifica_per_disco(std::string_view utf8);

// Line `riga` (0-based) of a text, without its line end; empty past the last line.
std::string_view riga_testo(std::string_view testo, std::int32_t riga);

// From a character index on a UTF-8 line to the client's column, and back (a column inside a
// character or past the end gives that character or the end).
std::int32_t colonna_client(std::string_view riga_utf8, std::int32_t indice, unita_colonna unita);
std::int32_t indice_da_colonna(std::string_view riga_utf8, std::int32_t colonna,
                               unita_colonna unita);

// "file:///a/b%20c.txt" to a path; nothing for another scheme or a malformed escape.
std::optional<std::filesystem::path> percorso_da_uri(std::string_view uri);
// A path to a file URI, every byte outside the unreserved set escaped.
std::string uri_da_percorso(const std::filesystem::path& percorso);

}  // namespace scenario::strumento::lsp
