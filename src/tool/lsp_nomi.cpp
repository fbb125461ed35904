#include "tool/lsp_nomi.h"

namespace scenario::strumento::lsp {

namespace {

bool finisce_con(std::string_view testo, std::string_view fine) {
    return testo.size() > fine.size() && testo.substr(testo.size() - fine.size()) == fine;
}

}  // namespace

std::optional<nome_riconosciuto> riconosci_nome(std::string_view nome_file) {
    constexpr std::string_view linea = "_linea.txt";
    constexpr std::string_view treno = "-.txt";
    if (finisce_con(nome_file, linea)) {
        return nome_riconosciuto{tipo_sorgente::linea,
                                 std::string(nome_file.substr(0, nome_file.size() - linea.size()))};
    }
    if (finisce_con(nome_file, treno)) {
        std::string_view radice = nome_file.substr(0, nome_file.size() - treno.size());
        const std::size_t trattino = radice.find('_');
        // NAME and NUMBER both need a character.
        if (trattino == std::string_view::npos || trattino == 0 || radice.back() == '_') {
            return std::nullopt;
        }
        return nome_riconosciuto{tipo_sorgente::treno, std::string(radice)};
    }
    return std::nullopt;
}

std::optional<scenario_treno> scomponi_treno(
    std::string_view radice, const std::function<bool(const std::string&)>& esiste_linea) {
    for (std::size_t taglio = radice.rfind('_'); taglio != std::string_view::npos && taglio > 0;
         taglio = radice.rfind('_', taglio - 1)) {
        const std::string nome(radice.substr(0, taglio));
        const std::string numero(radice.substr(taglio + 1));
        if (!numero.empty() && esiste_linea(nome)) return scenario_treno{nome, numero};
    }
    return std::nullopt;
}

}  // namespace scenario::strumento::lsp
