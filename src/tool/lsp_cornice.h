#pragma once

// The framing of the language server's messages: a header of "Name: value" lines, each ended by
// CR LF, an empty line, then exactly Content-Length bytes of JSON.
#include <cstddef>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

namespace scenario::strumento::lsp {

// No source comes near this; a longer message is refused before a byte of it is stored.
inline constexpr std::size_t corpo_massimo = 64u * 1024u * 1024u;

enum class esito_lettura {
    messaggio,      // `corpo` holds one message
    fine,           // the input ended between two messages
    cornice_errata  // the framing is broken or the message too long: `motivo` says how
};

struct messaggio_letto {
    esito_lettura esito = esito_lettura::fine;
    std::string corpo;
    std::string motivo;
};

messaggio_letto leggi_messaggio(std::istream& in, std::size_t massimo = corpo_massimo);

void scrivi_messaggio(std::ostream& out, std::string_view corpo);

}  // namespace scenario::strumento::lsp
