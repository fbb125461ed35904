#include "tool/lsp_server.h"

#include <algorithm>
#include <exception>
#include <system_error>

#include "model/guasto.h"
#include "textfile/codifica.h"
#include "textfile/file_disco.h"

namespace scenario::strumento::lsp {

using nlohmann::json;

namespace {

// The protocol's error codes.
constexpr int errore_analisi = -32700;
constexpr int richiesta_non_valida = -32600;
constexpr int metodo_sconosciuto = -32601;
constexpr int parametri_non_validi = -32602;
constexpr int errore_interno = -32603;
constexpr int non_inizializzato = -32002;

}  // namespace

void server_lsp::rispondi(const json& id, json risultato) {
    invia_(json{{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(risultato)}});
}

void server_lsp::errore(const json& id, int codice, const std::string& messaggio) {
    invia_(json{
        {"jsonrpc", "2.0"}, {"id", id}, {"error", json{{"code", codice}, {"message", messaggio}}}});
}

void server_lsp::gestisci(std::string_view corpo) {
    json messaggio = json::parse(corpo, nullptr, false);
    if (messaggio.is_discarded()) {
        errore(nullptr, errore_analisi, "the message is not well-formed JSON");
        return;
    }
    if (!messaggio.is_object()) {
        errore(nullptr, richiesta_non_valida, "a message must be a JSON object");
        return;
    }
    const auto id = messaggio.find("id");
    const bool con_id = id != messaggio.end();
    const bool id_valido = con_id && (id->is_number_integer() || id->is_string());
    const auto metodo = messaggio.find("method");
    if (metodo == messaggio.end()) {
        // A client's answer to a request of ours (none is sent) needs nothing.
        if (con_id && (messaggio.contains("result") || messaggio.contains("error"))) return;
        errore(id_valido ? *id : json(nullptr), richiesta_non_valida, "a message without a method");
        return;
    }
    if (!metodo->is_string() || (con_id && !id_valido)) {
        errore(id_valido ? *id : json(nullptr), richiesta_non_valida,
               "the method must be a string and the id a number or a string");
        return;
    }
    const json parametri = messaggio.value("params", json::object());
    const std::string nome = metodo->get<std::string>();
    try {
        if (con_id) {
            richiesta(*id, nome, parametri);
        } else {
            notifica(nome, parametri);
        }
    } catch (const json::exception& e) {
        if (con_id) errore(*id, parametri_non_validi, std::string("invalid params: ") + e.what());
    } catch (const std::exception& e) {
        if (con_id) errore(*id, errore_interno, e.what());
    }
}

void server_lsp::richiesta(const json& id, const std::string& metodo, const json& parametri) {
    if (chiuso_) {
        errore(id, richiesta_non_valida, "the server is shut down: only 'exit' is accepted");
        return;
    }
    if (metodo == "initialize") {
        if (inizializzato_) {
            errore(id, richiesta_non_valida, "the server is already initialized");
            return;
        }
        rispondi(id, inizializza(parametri));
        inizializzato_ = true;
        return;
    }
    if (!inizializzato_) {
        errore(id, non_inizializzato, "'" + metodo + "' before 'initialize'");
        return;
    }
    if (metodo == "shutdown") {
        chiuso_ = true;
        // The client expects nothing more but the answer.
        in_attesa_.clear();
        orfani_in_attesa_.clear();
        rispondi(id, nullptr);
    } else if (metodo == "textDocument/hover") {
        rispondi(id, hover(parametri));
    } else if (metodo == "textDocument/completion") {
        rispondi(id, completamento(parametri));
    } else if (metodo == "textDocument/documentSymbol") {
        rispondi(id, simboli(parametri));
    } else {
        errore(id, metodo_sconosciuto, "no method named '" + metodo + "'");
    }
}

void server_lsp::notifica(const std::string& metodo, const json& parametri) {
    if (metodo == "exit") {
        terminato_ = true;
        return;
    }
    if (!inizializzato_ || chiuso_) return;
    if (metodo == "textDocument/didOpen") {
        apri(parametri);
    } else if (metodo == "textDocument/didChange") {
        cambia(parametri);
    } else if (metodo == "textDocument/didClose" || metodo == "textDocument/didSave") {
        const std::optional<std::filesystem::path> percorso = percorso_di(parametri);
        if (!percorso) return;
        if (metodo == "textDocument/didClose") aperti_.erase(*percorso);
        // What is on disk now stands for the document.
        segna(*percorso);
    }
    if (metodo == "workspace/didChangeWatchedFiles") {
        // A source changed on disk (another train saved elsewhere, a file deleted): an open
        // document still stands for its own file.
        for (const json& cambio : parametri.at("changes")) {
            const std::optional<std::filesystem::path> percorso =
                percorso_da_uri(cambio.at("uri").get<std::string>());
            if (percorso && riconosci_nome(percorso->filename().string())) {
                segna(percorso->lexically_normal());
            }
        }
    }
    // Other notifications ("initialized", "$/cancelRequest", settings) need nothing.
}

json server_lsp::inizializza(const json& parametri) {
    const json capacita = parametri.value("capabilities", json::object());
    // UTF-16 unless the client offers only other units.
    const json generali = capacita.value("general", json::object());
    const json offerte = generali.value("positionEncodings", json::array());
    std::string scelta = "utf-16";
    if (offerte.is_array() && !offerte.empty()) {
        bool ha_utf16 = false;
        std::string altra;
        for (const json& o : offerte) {
            if (!o.is_string()) continue;
            const std::string u = o.get<std::string>();
            if (u == "utf-16") ha_utf16 = true;
            if (altra.empty() && (u == "utf-8" || u == "utf-32")) altra = u;
        }
        if (!ha_utf16 && !altra.empty()) scelta = altra;
    }
    unita_ = scelta == "utf-8"    ? unita_colonna::utf8
             : scelta == "utf-32" ? unita_colonna::utf32
                                  : unita_colonna::utf16;
    const json documento_testo = capacita.value("textDocument", json::object());
    const json completamento = documento_testo.value("completion", json::object());
    const json voce = completamento.value("completionItem", json::object());
    snippet_ = voce.value("snippetSupport", false);

    json capacita_server = {
        {"positionEncoding", scelta},
        {"textDocumentSync", {{"openClose", true}, {"change", 1}, {"save", true}}},
        {"hoverProvider", true},
        {"completionProvider", {{"triggerCharacters", json::array({"["})}}},
        {"documentSymbolProvider", true},
    };
    return json{{"capabilities", capacita_server},
                {"serverInfo", {{"name", "scenario-tool"}, {"version", "1"}}}};
}

std::optional<std::filesystem::path> server_lsp::percorso_di(const json& parametri) const {
    const std::string uri = parametri.at("textDocument").at("uri").get<std::string>();
    std::optional<std::filesystem::path> percorso = percorso_da_uri(uri);
    if (!percorso || !riconosci_nome(percorso->filename().string())) return std::nullopt;
    return percorso->lexically_normal();
}

void server_lsp::apri(const json& parametri) {
    const std::optional<std::filesystem::path> percorso = percorso_di(parametri);
    if (!percorso) return;
    const json& doc = parametri.at("textDocument");
    aperti_[*percorso] = {doc.at("uri").get<std::string>(), doc.at("text").get<std::string>()};
    segna(*percorso);
}

void server_lsp::cambia(const json& parametri) {
    const std::optional<std::filesystem::path> percorso = percorso_di(parametri);
    if (!percorso) return;
    const auto trovato = aperti_.find(*percorso);
    if (trovato == aperti_.end()) return;
    std::string& testo = trovato->second.utf8;
    for (const json& modifica : parametri.at("contentChanges")) {
        const std::string nuovo = modifica.at("text").get<std::string>();
        if (!modifica.contains("range")) {
            testo = nuovo;
            continue;
        }
        // A ranged change, though the server asks for whole texts: applied all the same.
        auto offset = [&](const json& pos) {
            const auto riga = pos.at("line").get<std::int32_t>();
            const auto colonna = pos.at("character").get<std::int32_t>();
            std::size_t inizio = 0;
            for (std::int32_t n = 0; n < riga; ++n) {
                const std::size_t lf = testo.find('\n', inizio);
                if (lf == std::string::npos) return testo.size();
                inizio = lf + 1;
            }
            std::size_t fine = testo.find('\n', inizio);
            if (fine == std::string::npos) fine = testo.size();
            const std::string_view linea(testo.data() + inizio, fine - inizio);
            const std::int32_t indice = indice_da_colonna(linea, colonna, unita_);
            // From characters to bytes.
            std::size_t i = 0;
            for (std::int32_t n = 0; n < indice && i < linea.size(); ++n) {
                ++i;
                while (i < linea.size() && (static_cast<unsigned char>(linea[i]) & 0xC0) == 0x80)
                    ++i;
            }
            return inizio + i;
        };
        const std::size_t da = offset(modifica.at("range").at("start"));
        const std::size_t a = std::max(da, offset(modifica.at("range").at("end")));
        testo.replace(da, a - da, nuovo);
    }
    segna(*percorso);
}

void server_lsp::segna(const std::filesystem::path& percorso) {
    const std::optional<nome_riconosciuto> nome = riconosci_nome(percorso.filename().string());
    if (!nome) return;
    const std::filesystem::path cartella = percorso.parent_path();
    if (nome->tipo == tipo_sorgente::linea) {
        in_attesa_.insert({cartella, nome->radice});
        return;
    }
    if (const std::optional<scenario_treno> s = scenario_di(percorso)) {
        in_attesa_.insert({cartella, s->nome});
    } else {
        orfani_in_attesa_.insert(percorso);
    }
}

std::optional<std::string> server_lsp::byte_di(const std::filesystem::path& percorso) const {
    if (const auto aperto = aperti_.find(percorso); aperto != aperti_.end()) {
        return codifica_per_disco(aperto->second.utf8).byte;
    }
    std::error_code ignora;
    if (!std::filesystem::is_regular_file(percorso, ignora)) return std::nullopt;
    try {
        return leggi_file(percorso);
    } catch (const guasto_file&) {
        return std::nullopt;
    }
}

std::string server_lsp::utf8_di(const std::filesystem::path& percorso) const {
    if (const auto aperto = aperti_.find(percorso); aperto != aperti_.end()) {
        return aperto->second.utf8;
    }
    return da_cp1252(byte_di(percorso).value_or(""));
}

bool server_lsp::esiste(const std::filesystem::path& percorso) const {
    std::error_code ignora;
    return aperti_.count(percorso) > 0 || std::filesystem::is_regular_file(percorso, ignora);
}

std::string server_lsp::uri_di(const std::filesystem::path& percorso) const {
    if (const auto aperto = aperti_.find(percorso); aperto != aperti_.end()) {
        return aperto->second.uri;
    }
    return uri_da_percorso(percorso);
}

std::optional<scenario_treno> server_lsp::scenario_di(const std::filesystem::path& treno) const {
    const std::optional<nome_riconosciuto> nome = riconosci_nome(treno.filename().string());
    if (!nome || nome->tipo != tipo_sorgente::treno) return std::nullopt;
    const std::filesystem::path cartella = treno.parent_path();
    return scomponi_treno(nome->radice, [&](const std::string& scenario) {
        return esiste(cartella / (scenario + "_linea.txt"));
    });
}

std::set<std::filesystem::path> server_lsp::treni_di(const gruppo& g) const {
    std::set<std::filesystem::path> treni;
    auto considera = [&](const std::filesystem::path& p) {
        const std::optional<scenario_treno> s = scenario_di(p);
        if (s && s->nome == g.second) treni.insert(p);
    };
    for (const auto& [percorso, doc] : aperti_) {
        if (percorso.parent_path() == g.first) considera(percorso);
    }
    std::error_code errore_cartella;
    for (std::filesystem::directory_iterator it(g.first, errore_cartella), fine;
         !errore_cartella && it != fine; it.increment(errore_cartella)) {
        std::error_code ignora;
        if (it->is_regular_file(ignora))
            considera((g.first / it->path().filename()).lexically_normal());
    }
    return treni;
}

}  // namespace scenario::strumento::lsp
