#include "tool/scenario_compilato.h"

#include "textfile/codifica.h"

namespace scenario::strumento {

std::int64_t metro_punto(std::size_t cella) { return (static_cast<std::int64_t>(cella) - 1) * 50; }

std::int64_t metro_profilo(std::size_t cella) { return static_cast<std::int64_t>(cella) * 50; }

std::int32_t lunghezza_linea(const scenario_compilato& s) {
    std::int64_t coperta = s.celle.empty() ? 0 : metro_profilo(s.celle.size() - 1);
    std::int32_t dichiarata = s.punti.size() > static_cast<std::size_t>(indice_punti::treno)
                                  ? s.punti[indice_punti::treno].fine
                                  : 0;
    if (dichiarata > 0 && dichiarata <= coperta) return dichiarata;
    if (coperta - 7000 >= 50) return static_cast<std::int32_t>(coperta - 7000);
    return static_cast<std::int32_t>(coperta >= 50 ? coperta : 50);
}

std::vector<stazione> stazioni(const std::vector<punto>& punti) {
    std::vector<stazione> elenco;
    for (std::size_t n = 1;
         n < punti.size() && n <= static_cast<std::size_t>(indice_punti::primo_cartello); ++n) {
        const punto& p = punti[n];
        if (p == punto{}) break;
        elenco.push_back({static_cast<int>(n), da_cp1252(p.nome), p.posizione, p.inizio, p.fine});
    }
    return elenco;
}

std::vector<rallentamento> rallentamenti(const std::vector<cella>& celle) {
    std::vector<rallentamento> elenco;
    for (std::size_t n = 0; n < celle.size(); ++n) {
        if (celle[n].tipo != tipo_cella::inizio_rallentamento) continue;
        std::size_t fine = n + 1;
        while (fine < celle.size() && celle[fine].tipo != tipo_cella::fine_rallentamento) ++fine;
        if (fine == celle.size()) fine = n;  // no end: shown as a single cell
        elenco.push_back({static_cast<std::int32_t>(metro_punto(n)),
                          static_cast<std::int32_t>(metro_punto(fine)), celle[n].dato1});
    }
    return elenco;
}

std::optional<std::int64_t> progressiva(const std::vector<punto>& punti, std::int32_t posizione) {
    if (punti.size() <= static_cast<std::size_t>(indice_punti::progressiva_uno))
        return std::nullopt;
    bool definita = false;
    for (int n = indice_punti::progressiva_tre; n <= indice_punti::progressiva_uno; ++n) {
        const punto& p = punti[static_cast<std::size_t>(n)];
        definita = definita || p.inizio != 0 || p.fine != 0;
    }
    if (!definita) return std::nullopt;
    for (int n = indice_punti::progressiva_tre; n <= indice_punti::progressiva_uno; ++n) {
        const punto& p = punti[static_cast<std::size_t>(n)];
        if (p.inizio <= posizione) return static_cast<std::int64_t>(posizione) + p.fine;
    }
    return posizione;
}

}  // namespace scenario::strumento
