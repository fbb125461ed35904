#pragma once

// The language server's handling of messages, apart from its transport: each message body goes
// in, the answers and notifications come out through `invio`. Checks are not run as documents
// change: the changed scenarios wait until the caller, once the author pauses, asks for
// `pubblica`. In-process tests and the fuzzer drive it directly.
#include <filesystem>
#include <functional>
#include <map>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "tool/lsp_nomi.h"
#include "tool/lsp_testo.h"
#include "verifica/verifica_sorgenti.h"

namespace scenario::strumento::lsp {

class server_lsp {
  public:
    using invio = std::function<void(const nlohmann::json&)>;

    explicit server_lsp(invio uscita) : invia_(std::move(uscita)) {}

    // One message body, as the framing delivered it.
    void gestisci(std::string_view corpo);

    // `exit` was received: the server stops with `stato_uscita` (0 after `shutdown`, 1 before).
    bool terminato() const { return terminato_; }
    int stato_uscita() const { return chiuso_ ? 0 : 1; }

    // Scenarios changed since their diagnostics were last published.
    bool in_attesa() const { return !in_attesa_.empty() || !orfani_in_attesa_.empty(); }
    // Checks every waiting scenario and publishes the diagnostics of all its sources.
    void pubblica();

  private:
    struct documento {
        std::string uri;  // as the client wrote it: the diagnostics go back under the same name
        std::string utf8;
    };
    // A scenario: its folder and NAME.
    using gruppo = std::pair<std::filesystem::path, std::string>;

    void richiesta(const nlohmann::json& id, const std::string& metodo,
                   const nlohmann::json& parametri);
    void notifica(const std::string& metodo, const nlohmann::json& parametri);
    nlohmann::json inizializza(const nlohmann::json& parametri);
    void rispondi(const nlohmann::json& id, nlohmann::json risultato);
    void errore(const nlohmann::json& id, int codice, const std::string& messaggio);

    void apri(const nlohmann::json& parametri);
    void cambia(const nlohmann::json& parametri);
    void segna(const std::filesystem::path& percorso);

    nlohmann::json hover(const nlohmann::json& parametri);
    nlohmann::json completamento(const nlohmann::json& parametri);
    nlohmann::json simboli(const nlohmann::json& parametri);

    // The bytes a check reads for a source: the open document encoded as it would be saved,
    // else the file on disk; nothing when neither is there.
    std::optional<std::string> byte_di(const std::filesystem::path& percorso) const;
    // The same text as the editor shows it, for positions.
    std::string utf8_di(const std::filesystem::path& percorso) const;
    bool esiste(const std::filesystem::path& percorso) const;
    std::string uri_di(const std::filesystem::path& percorso) const;
    std::optional<std::filesystem::path> percorso_di(const nlohmann::json& parametri) const;
    std::optional<scenario_treno> scenario_di(const std::filesystem::path& treno) const;
    std::set<std::filesystem::path> treni_di(const gruppo& g) const;

    void pubblica_gruppo(const gruppo& g);
    void pubblica_orfano(const std::filesystem::path& treno);
    void invia_diagnostiche(const std::filesystem::path& percorso, nlohmann::json elenco);

    invio invia_;
    bool inizializzato_ = false;
    bool chiuso_ = false;
    bool terminato_ = false;
    unita_colonna unita_ = unita_colonna::utf16;
    bool snippet_ = false;
    std::map<std::filesystem::path, documento> aperti_;
    std::set<gruppo> in_attesa_;
    std::set<std::filesystem::path> orfani_in_attesa_;
    // What the cells held after the last check, by source, for the hover.
    std::map<std::filesystem::path, contenuto_verificato> contenuti_;
};

}  // namespace scenario::strumento::lsp
