#pragma once

// Which documents are scenario sources, whatever language the editor gave them: a line source is
// named NAME_linea.txt, a train source NAME_NUMBER-.txt.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace scenario::strumento::lsp {

enum class tipo_sorgente { linea, treno };

struct nome_riconosciuto {
    tipo_sorgente tipo;
    std::string radice;  // NAME for a line source; NAME_NUMBER, still to be split, for a train
};

// The kind of source a file name is, or nothing.
std::optional<nome_riconosciuto> riconosci_nome(std::string_view nome_file);

struct scenario_treno {
    std::string nome;
    std::string numero;
};

// NAME and NUMBER of the train source X-.txt: NAME is the longest prefix of X, ending before an
// underscore, for which `esiste_linea(NAME)` holds; nothing when no prefix has its line source.
std::optional<scenario_treno> scomponi_treno(
    std::string_view radice, const std::function<bool(const std::string&)>& esiste_linea);

}  // namespace scenario::strumento::lsp
