// The editor's questions about one place of a source: hover, completion and the outline.
#include <charconv>

#include "textfile/codifica.h"
#include "tool/lsp_campi.h"
#include "tool/lsp_righe.h"
#include "tool/lsp_server.h"
#include "tool/membri.h"
#include "tool/scenario_compilato.h"
#include "tool/significati.h"

namespace scenario::strumento::lsp {

using nlohmann::json;

namespace {

// A numeric field as the reader takes it: an empty one is 0; nothing for text or for a number
// wider than any field (the reader's error 25).
std::optional<long long> numero(std::string_view campo) {
    if (campo.empty()) return 0;
    std::int32_t valore = 0;
    const auto [fine, errore] = std::from_chars(campo.data(), campo.data() + campo.size(), valore);
    if (errore != std::errc() || fine != campo.data() + campo.size()) return std::nullopt;
    return valore;
}

long long cella_di(long long metri, bool dopo) {
    const long long cella = metri >= 0 ? metri / 50 : -((-metri + 49) / 50);
    return dopo ? cella + 1 : cella;
}

std::string nome_record(const forma_record& f, std::string_view parola) {
    std::string nome(f.nome);
    if (nome == "curva") return std::string(parola.substr(0, parola.find_last_not_of(' ') + 1));
    return nome;
}

// What cell `n` holds after the last check, in dump's words.
std::string contenuto_cella(const std::vector<cella>& celle, long long n) {
    if (n < 0 || static_cast<std::size_t>(n) >= celle.size()) return "";
    const char* tipo = nome_tipo_cella(celle[static_cast<std::size_t>(n)].tipo);
    return tipo[0] != '\0' ? tipo
                           : "tipo " + std::to_string(celle[static_cast<std::size_t>(n)].tipo);
}

}  // namespace

json server_lsp::hover(const json& parametri) {
    const std::optional<std::filesystem::path> percorso = percorso_di(parametri);
    if (!percorso) return nullptr;
    const std::optional<std::string> byte = byte_di(*percorso);
    if (!byte) return nullptr;
    const tipo_sorgente tipo = riconosci_nome(percorso->filename().string())->tipo;
    const auto riga_n = parametri.at("position").at("line").get<std::int32_t>();
    const auto colonna = parametri.at("position").at("character").get<std::int32_t>();
    const std::vector<riga_sorgente> righe = righe_sorgente(*byte);
    if (riga_n < 0 || static_cast<std::size_t>(riga_n) >= righe.size()) return nullptr;
    const riga_sorgente& riga = righe[static_cast<std::size_t>(riga_n)];
    const forma_record* forma = record_della_riga(riga, tipo);
    if (forma == nullptr) return nullptr;
    const std::string utf8 = utf8_di(*percorso);
    const std::int32_t indice = indice_da_colonna(riga_testo(utf8, riga_n), colonna, unita_);
    const std::vector<campo_riga> campi = campi_riga(riga.testo, tipo, forma);
    const std::size_t k = campo_a(campi, static_cast<std::size_t>(indice));
    const std::string_view testo(riga.testo);
    auto testo_campo = [&](std::size_t n) {
        return n < campi.size() ? testo.substr(campi[n].inizio, campi[n].fine - campi[n].inizio)
                                : std::string_view();
    };
    // The keyword is the source's Windows-1252; everything else here is written in UTF-8.
    const std::string record = da_cp1252(nome_record(*forma, testo_campo(0)));
    std::string md;
    if (k == 0) {
        md = "**" + record + "**: " + std::string(significato_record(forma->nome)) + "\n\nFields:";
        for (int n = 0; n < forma->numero_campi; ++n) {
            md += std::string(n == 0 ? " `" : ", `") +
                  std::string(forma->campi.at(static_cast<std::size_t>(n))) + "`";
        }
    } else if (k > static_cast<std::size_t>(forma->numero_campi)) {
        md = "**" + record + "**: field " + std::to_string(k) + " is beyond its " +
             std::to_string(forma->numero_campi) +
             " fields: the compiler reads it as the next keyword";
    } else {
        const std::string_view campo = forma->campi.at(k - 1);
        md = "**" + record + "**, field " + std::to_string(k) + " of " +
             std::to_string(forma->numero_campi) + ": `" + std::string(campo) + "`";
        const std::string_view significato = significato_campo(forma->nome, campo);
        if (!significato.empty()) md += "\n\n" + std::string(significato);
        const std::optional<long long> valore = numero(testo_campo(k));
        const std::optional<long long> metri = numero(testo_campo(1));
        const auto contenuto = contenuti_.find(*percorso);
        const std::optional<deposito_campo> dove = deposito(forma->nome, campo);
        if (contenuto != contenuti_.end() && dove && metri) {
            const long long n = cella_di(*metri, dove->cella_dopo);
            const auto& celle = contenuto->second.celle;
            if (n >= 0 && static_cast<std::size_t>(n) < celle.size()) {
                const cella& c = celle[static_cast<std::size_t>(n)];
                const membro m = membri_cella(c).at(dove->membro);
                md += "\n\nStored in cell " + std::to_string(n) + ": `" + m.nome +
                      "` = " + std::to_string(m.valore);
                const std::string s = significato_membro_cella(c, dove->membro);
                if (!s.empty()) md += " (" + s + ")";
            }
        }
        if (valore && campo_posizione(forma->nome, campo)) {
            const long long n = cella_di(*valore, punto_dopo_posizione(forma->nome));
            md += "\n\nPosition " + std::to_string(*valore) + " m: cell " + std::to_string(n);
            if (contenuto != contenuti_.end()) {
                const std::optional<std::int64_t> km =
                    progressiva(contenuto->second.punti, static_cast<std::int32_t>(*valore));
                if (km) md += ", chainage " + std::to_string(*km) + " m";
                const std::string cosa = contenuto_cella(contenuto->second.celle, n);
                if (!cosa.empty()) md += "; the cell holds: " + cosa;
            }
        }
    }
    const std::string_view linea_utf8 = riga_testo(utf8, riga_n);
    const campo_riga& c = campi.at(std::min(k, campi.size() - 1));
    auto pos = [&](std::size_t i) {
        return json{
            {"line", riga_n},
            {"character", colonna_client(linea_utf8, static_cast<std::int32_t>(i), unita_)}};
    };
    return json{{"contents", {{"kind", "markdown"}, {"value", md}}},
                {"range", {{"start", pos(c.inizio)}, {"end", pos(c.fine)}}}};
}

json server_lsp::completamento(const json& parametri) {
    const std::optional<std::filesystem::path> percorso = percorso_di(parametri);
    if (!percorso) return json::array();
    const std::optional<std::string> byte = byte_di(*percorso);
    if (!byte) return json::array();
    const tipo_sorgente tipo = riconosci_nome(percorso->filename().string())->tipo;
    const auto riga_n = parametri.at("position").at("line").get<std::int32_t>();
    const auto colonna = parametri.at("position").at("character").get<std::int32_t>();
    const std::vector<riga_sorgente> righe = righe_sorgente(*byte);
    if (riga_n < 0 || static_cast<std::size_t>(riga_n) >= righe.size()) return json::array();
    const riga_sorgente& riga = righe[static_cast<std::size_t>(riga_n)];
    const std::int32_t indice =
        indice_da_colonna(riga_testo(utf8_di(*percorso), riga_n), colonna, unita_);
    // Past the first comma the author writes fields, not a keyword.
    if (riga.testo.substr(0, static_cast<std::size_t>(indice)).find(',') != std::string::npos) {
        return json::array();
    }
    // The section the line is in; a header line belongs to the section above it.
    std::string sezione;
    for (std::size_t n = 0; n < static_cast<std::size_t>(riga_n); ++n) {
        if (righe[n].intestazione) sezione = righe[n].sezione;
    }
    json voci = json::array();
    for (std::string_view parola : parole_sezione(tipo, sezione)) {
        json voce = {{"label", parola}, {"kind", 14}};
        const forma_record* forma = riconosci_record(parte_di(tipo, sezione), parola, true);
        if (snippet_ && forma != nullptr) {
            std::string snippet(parola);
            for (int n = 0; n < forma->numero_campi; ++n) {
                snippet += ", ${" + std::to_string(n + 1) + ":" +
                           std::string(forma->campi.at(static_cast<std::size_t>(n))) + "}";
            }
            voce["insertText"] = snippet;
            voce["insertTextFormat"] = 2;
            voce["detail"] = std::string(significato_record(forma->nome));
        }
        voci.push_back(voce);
    }
    for (std::string_view s : sezioni(tipo)) voci.push_back({{"label", s}, {"kind", 9}});
    return voci;
}

json server_lsp::simboli(const json& parametri) {
    const std::optional<std::filesystem::path> percorso = percorso_di(parametri);
    if (!percorso) return json::array();
    const std::optional<std::string> byte = byte_di(*percorso);
    if (!byte) return json::array();
    const tipo_sorgente tipo = riconosci_nome(percorso->filename().string())->tipo;
    const std::string utf8 = utf8_di(*percorso);
    const std::vector<riga_sorgente> righe = righe_sorgente(*byte);
    auto intervallo = [&](std::int32_t da, std::int32_t a) {
        const std::string_view ultima = riga_testo(utf8, a);
        return json{{"start", {{"line", da}, {"character", 0}}},
                    {"end",
                     {{"line", a},
                      {"character",
                       colonna_client(ultima, static_cast<std::int32_t>(ultima.size()), unita_)}}}};
    };
    json sezioni_trovate = json::array();
    for (const riga_sorgente& r : righe) {
        if (r.intestazione) {
            const json zona = intervallo(r.numero, r.numero);
            sezioni_trovate.push_back({{"name", da_cp1252(r.sezione)},
                                       {"kind", 3},
                                       {"range", zona},
                                       {"selectionRange", zona},
                                       {"children", json::array()}});
            continue;
        }
        if (sezioni_trovate.empty()) continue;
        json& sezione = sezioni_trovate.back();
        // The section runs to its last line.
        sezione["range"]["end"] = intervallo(r.numero, r.numero)["end"];
        const forma_record* forma = record_della_riga(r, tipo);
        if (forma == nullptr) continue;
        const std::string nome(forma->nome);
        const std::vector<campo_riga> campi = campi_riga(r.testo, tipo, forma);
        auto campo = [&](std::size_t n) {
            return n < campi.size()
                       ? r.testo.substr(campi[n].inizio, campi[n].fine - campi[n].inizio)
                       : std::string();
        };
        std::string titolo;
        std::string dettaglio;
        int tipo_simbolo = 0;
        if (nome == "stazione") {
            titolo = campo(static_cast<std::size_t>(forma->campo_testo) + 1);
            if (titolo.empty()) titolo = "stazione";
            dettaglio = "stazione at " + campo(1) + " m";
            tipo_simbolo = 5;
        } else if (nome == "segnale" || nome == "rallentamento" || nome == "indicatori_vmax" ||
                   nome == "cartello_indicatore") {
            titolo = nome + " " + campo(1);
            if (nome == "cartello_indicatore") dettaglio = campo(2);
            tipo_simbolo = nome == "segnale" ? 24 : nome == "rallentamento" ? 8 : 14;
        } else {
            continue;
        }
        const json zona = intervallo(r.numero, r.numero);
        sezione["children"].push_back({{"name", da_cp1252(titolo)},
                                       {"detail", da_cp1252(dettaglio)},
                                       {"kind", tipo_simbolo},
                                       {"range", zona},
                                       {"selectionRange", zona}});
    }
    return sezioni_trovate;
}

}  // namespace scenario::strumento::lsp
