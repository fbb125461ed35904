// Arbitrary bytes through the language server's message handling: the input is framed as the
// server reads its standard input, each message goes to the handler after an `initialize`, and
// every pending check runs after each message. Findings: an exception that escapes the handler
// or the publication, a message out that is not valid JSON-RPC, a request left without an answer.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "tool/lsp_cornice.h"
#include "tool/lsp_server.h"

namespace {

using nlohmann::json;
using namespace scenario::strumento::lsp;

[[noreturn]] void scoperta(const std::string& testo) {
    std::fprintf(stderr, "fuzz_lsp: %s\n", testo.c_str());
    std::abort();
}

void controlla(const json& m) {
    if (!m.is_object() || m.value("jsonrpc", "") != "2.0") scoperta("messaggio senza jsonrpc 2.0");
    const bool risposta = m.contains("id");
    if (risposta && m.contains("result") == m.contains("error")) {
        scoperta("risposta senza result o error, o con entrambi");
    }
    if (!risposta && !m.contains("method")) scoperta("notifica senza metodo");
    // What the executable writes: it must always serialise.
    (void)m.dump(-1, ' ', false, json::error_handler_t::replace);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(dati), dimensione));
    std::size_t risposte = 0;
    server_lsp server([&risposte](const json& m) {
        controlla(m);
        if (m.contains("id")) ++risposte;
    });
    try {
        server.gestisci(
            R"({"jsonrpc":"2.0","id":0,"method":"initialize","params":{"capabilities":{}}})");
        // Messages small enough to stay fast: the limit itself is the framing tests' business.
        for (int n = 0; n < 64; ++n) {
            const messaggio_letto m = leggi_messaggio(in, 1u << 20);
            if (m.esito != esito_lettura::messaggio) break;
            const std::size_t prima = risposte;
            server.gestisci(m.corpo);
            const json letto = json::parse(m.corpo, nullptr, false);
            const bool richiesta =
                letto.is_object() && letto.contains("method") && letto.contains("id");
            if (richiesta && risposte != prima + 1) scoperta("una richiesta senza una risposta");
            if (server.in_attesa()) server.pubblica();
            if (server.terminato()) break;
        }
    } catch (const std::exception& e) {
        scoperta(std::string("eccezione sfuggita: ") + e.what());
    }
    return 0;
}
