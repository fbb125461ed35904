// The diagnostics of a scenario as the editor receives them: check's findings for every pair of
// the line source with one of its train sources, mapped onto the documents' lines and columns.
#include <algorithm>
#include <cstdint>

#include "model/nomi_file.h"
#include "textfile/codifica.h"
#include "tool/lsp_server.h"

namespace scenario::strumento::lsp {

using nlohmann::json;

namespace {

int gravita_protocollo(gravita g) {
    switch (g) {
        case gravita::errore:
            return 1;
        case gravita::avviso:
            return 2;
        case gravita::nota:
            return 3;
    }
    return 1;
}

// The sources of one pair, by the file names check's diagnostics carry.
struct coppia {
    std::string nome_linea;
    std::filesystem::path linea;
    std::string nome_treno;
    std::filesystem::path treno;
};

class testi_righe {
  public:
    explicit testi_righe(std::function<std::string(const std::filesystem::path&)> leggi)
        : leggi_(std::move(leggi)) {}
    const std::string& di(const std::filesystem::path& p) {
        auto trovato = testi_.find(p);
        if (trovato == testi_.end()) trovato = testi_.emplace(p, leggi_(p)).first;
        return trovato->second;
    }

  private:
    std::function<std::string(const std::filesystem::path&)> leggi_;
    std::map<std::filesystem::path, std::string> testi_;
};

// A range over the field at a 1-based line and column of check: up to the next comma or the end
// of the line, blanks at its end left out; at least one character where the line has one.
json intervallo(std::string_view testo, std::int32_t riga, std::int32_t colonna,
                unita_colonna unita) {
    const std::int32_t r = std::max<std::int32_t>(riga - 1, 0);
    const std::string_view linea_utf8 = riga_testo(testo, r);
    const std::string byte = codifica_per_disco(linea_utf8).byte;
    std::size_t inizio = static_cast<std::size_t>(std::max<std::int32_t>(colonna - 1, 0));
    inizio = std::min(inizio, byte.size());
    std::size_t fine = byte.find(',', inizio);
    if (fine == std::string::npos) fine = byte.size();
    while (fine > inizio && (byte[fine - 1] == ' ' || byte[fine - 1] == '\t')) --fine;
    if (fine == inizio && fine < byte.size()) ++fine;
    auto posizione = [&](std::size_t indice) {
        return json{
            {"line", r},
            {"character", colonna_client(linea_utf8, static_cast<std::int32_t>(indice), unita)}};
    };
    return json{{"start", posizione(inizio)}, {"end", posizione(fine)}};
}

}  // namespace

void server_lsp::invia_diagnostiche(const std::filesystem::path& percorso, json elenco) {
    invia_(json{{"jsonrpc", "2.0"},
                {"method", "textDocument/publishDiagnostics"},
                {"params", {{"uri", uri_di(percorso)}, {"diagnostics", std::move(elenco)}}}});
}

void server_lsp::pubblica() {
    const std::set<gruppo> gruppi = std::move(in_attesa_);
    const std::set<std::filesystem::path> orfani = std::move(orfani_in_attesa_);
    in_attesa_.clear();
    orfani_in_attesa_.clear();
    for (const gruppo& g : gruppi) pubblica_gruppo(g);
    for (const std::filesystem::path& t : orfani) pubblica_orfano(t);
}

void server_lsp::pubblica_orfano(const std::filesystem::path& treno) {
    // It may have found its line source since it was marked.
    if (const std::optional<scenario_treno> s = scenario_di(treno)) {
        pubblica_gruppo({treno.parent_path(), s->nome});
        return;
    }
    json d = {
        {"range",
         {{"start", {{"line", 0}, {"character", 0}}}, {"end", {{"line", 0}, {"character", 0}}}}},
        {"severity", 2},
        {"code", "no-line-source"},
        {"source", "scenario-tool"},
        {"message",
         "no line source NAME_linea.txt in this folder for any NAME that this "
         "train source's name begins with: it cannot be checked"}};
    invia_diagnostiche(treno, json::array({d}));
}

void server_lsp::pubblica_gruppo(const gruppo& g) {
    const std::filesystem::path linea = g.first / (g.second + "_linea.txt");
    const std::optional<std::string> byte_linea = byte_di(linea);
    if (!byte_linea) return;
    testi_righe testi([this](const std::filesystem::path& p) { return utf8_di(p); });

    std::map<std::filesystem::path, json> elenchi;
    std::set<std::string> gia_visti;  // the line's diagnostics, once whatever train found them
    elenchi[linea] = json::array();

    auto converti = [&](const diagnostica& d, const coppia& c) {
        const bool della_linea = d.file == c.nome_linea;
        const std::filesystem::path& dove = della_linea ? linea : c.treno;
        const bool con_riga = d.file == c.nome_linea || d.file == c.nome_treno;
        const std::string& testo = testi.di(dove);
        json j = {{"range", con_riga ? intervallo(testo, d.riga, d.colonna, unita_)
                                     : intervallo(testo, 1, 1, unita_)},
                  {"severity", gravita_protocollo(d.livello)},
                  {"source", "scenario-tool"}};
        if (d.livello == gravita::errore) {
            j["code"] = d.codice;
        } else if (!d.nome.empty()) {
            j["code"] = d.nome;
        }
        std::string messaggio = da_cp1252(d.messaggio);
        if (d.posizione) messaggio += " (at " + std::to_string(*d.posizione) + " m)";
        j["message"] = messaggio;
        json correlate = json::array();
        for (const nota_diagnostica& n : d.note) {
            const bool nota_linea = n.file == c.nome_linea;
            const bool nota_treno = n.file == c.nome_treno;
            json luogo;
            if (nota_linea || nota_treno) {
                const std::filesystem::path& p = nota_linea ? linea : c.treno;
                luogo = {{"uri", uri_di(p)},
                         {"range", intervallo(testi.di(p), n.riga, n.colonna, unita_)}};
            } else {
                luogo = {{"uri", uri_di(dove)}, {"range", j["range"]}};
            }
            correlate.push_back({{"location", luogo}, {"message", da_cp1252(n.messaggio)}});
        }
        if (!correlate.empty()) j["relatedInformation"] = correlate;
        json& elenco = elenchi[dove];
        if (della_linea) {
            if (!gia_visti.insert(j.dump(-1, ' ', false, json::error_handler_t::replace)).second)
                return;
        }
        elenco.push_back(std::move(j));
    };

    const std::set<std::filesystem::path> treni = treni_di(g);
    auto verifica_coppia = [&](const std::filesystem::path* treno, const std::string& numero,
                               std::string byte_treno) {
        sorgenti_da_compilare s;
        s.nome_scenario = g.second;
        s.numero_treno = numero;
        s.sorgente_linea = *byte_linea;
        s.sorgente_treno = std::move(byte_treno);
        const identita_file nomi{s.nome_scenario, s.numero_treno};
        coppia c{nome_sorgente_linea(nomi), linea, nome_sorgente_treno(nomi),
                 treno != nullptr ? *treno : linea};
        contenuto_verificato contenuto;
        const std::vector<diagnostica> elenco = verifica_sorgenti(std::move(s), contenuto);
        for (const diagnostica& d : elenco) {
            // Without a train source only the line's own findings are the author's.
            if (treno == nullptr && d.file != c.nome_linea) continue;
            converti(d, c);
        }
        if (treno != nullptr) contenuti_[*treno] = contenuto;
        contenuti_[linea] = std::move(contenuto);
    };
    for (const std::filesystem::path& t : treni) {
        const std::optional<scenario_treno> s = scenario_di(t);
        const std::optional<std::string> byte_treno = byte_di(t);
        if (!s || !byte_treno) continue;
        elenchi[t] = json::array();
        verifica_coppia(&t, s->numero, *byte_treno);
    }
    // A line source alone is still checked: with an empty train source beside it.
    if (treni.empty()) verifica_coppia(nullptr, "0", "");

    // Characters the code page lacks, in the open documents.
    for (auto& [percorso, elenco] : elenchi) {
        const auto aperto = aperti_.find(percorso);
        if (aperto == aperti_.end()) continue;
        const std::string& testo = aperto->second.utf8;
        for (const carattere_mancante& m : codifica_per_disco(testo).mancanti) {
            const std::string_view riga = riga_testo(testo, m.riga);
            json inizio = {{"line", m.riga}, {"character", colonna_client(riga, m.indice, unita_)}};
            json fine = {{"line", m.riga},
                         {"character", colonna_client(riga, m.indice + 1, unita_)}};
            elenco.push_back(
                {{"range", {{"start", inizio}, {"end", fine}}},
                 {"severity", 2},
                 {"code", "not-windows-1252"},
                 {"source", "scenario-tool"},
                 {"message", "\"" + m.carattere +
                                 "\" has no Windows-1252 byte: the file is saved with '?' in "
                                 "its place, and the check reads it so"}});
        }
    }
    for (auto& [percorso, elenco] : elenchi) invia_diagnostiche(percorso, std::move(elenco));
}

}  // namespace scenario::strumento::lsp
