// The JSON form of dump: one object per file, for scripts.
#include <cmath>
#include <cstdio>
#include <string>

#include "output/geometria_in_byte.h"
#include "textfile/codifica.h"
#include "tool/membri.h"
#include "tool/scenario_compilato.h"
#include "tool/stampa_formati.h"
#include "tool/stringa_json.h"

namespace scenario::strumento {

namespace json {

namespace {

template <std::size_t N>
void membri(const std::array<membro, N>& elenco, std::size_t da, std::size_t a,
            const opzioni_dump& opzioni, std::ostream& out) {
    for (std::size_t m = da; m < a; ++m) {
        if (opzioni.tutti || elenco[m].valore != 0) {
            out << ",\"" << elenco[m].nome << "\":" << elenco[m].valore;
        }
    }
}

// JSON has no NaN or infinity: such a value (never written by the compiler) becomes null.
std::string reale(double valore) { return std::isfinite(valore) ? testo_reale(valore) : "null"; }

template <typename G>
void elemento(const G& profilo, std::int32_t metro, int componente, std::ostream& out) {
    profilo_linea::tipo_valore tipo = profilo.tipo(metro, componente);
    out << "{\"type\":" << static_cast<int>(tipo);
    if (tipo == profilo_linea::tipo_valore::intero) {
        out << ",\"value\":" << static_cast<long long>(profilo.valore(metro, componente));
    } else if (tipo == profilo_linea::tipo_valore::reale) {
        out << ",\"value\":" << reale(profilo.valore(metro, componente));
    }
    out << '}';
}

}  // namespace

void celle(const std::vector<cella>& celle, const opzioni_dump& opzioni, std::ostream& out) {
    out << "{\"kind\":\"cells\",\"count\":" << celle.size()
        << ",\"convention\":\"cell n covers the 50 m from (n-1)*50 m\",\"cells\":[";
    for (std::size_t n = 0; n < celle.size(); ++n) {
        out << (n == 0 ? "" : ",") << "\n{\"cell\":" << n << ",\"from_m\":" << metro_punto(n);
        auto elenco = membri_cella(celle[n]);
        membri(elenco, 0, elenco.size(), opzioni, out);
        out << '}';
    }
    out << "\n]}\n";
}

void punti(const std::vector<punto>& punti, const opzioni_dump& opzioni, std::ostream& out) {
    out << "{\"kind\":\"records\",\"count\":" << punti.size() << ",\"records\":[";
    for (std::size_t n = 0; n < punti.size(); ++n) {
        const punto& p = punti[n];
        out << (n == 0 ? "" : ",") << "\n{\"index\":" << n;
        const char* ruolo = ruolo_punto(static_cast<int>(n));
        if (*ruolo != '\0') out << ",\"role\":" << stringa_json(ruolo);
        auto elenco = membri_punto(p);
        membri(elenco, 0, membri_prima_del_nome, opzioni, out);
        if (opzioni.tutti || !p.nome.empty())
            out << ",\"nome\":" << stringa_json(da_cp1252(p.nome));
        membri(elenco, membri_prima_del_nome, elenco.size(), opzioni, out);
        out << '}';
    }
    out << "\n]}\n";
}

template <typename G>
void geometria(const G& profilo, const opzioni_dump& opzioni, std::ostream& out) {
    out << "{\"kind\":\"geometry\",\"metres\":" << profilo.ultimo_metro() + 1
        << ",\"step\":" << opzioni.passo << ",\"elements\":[";
    bool primo = true;
    for (std::int64_t metro = 0; metro <= profilo.ultimo_metro(); metro += opzioni.passo) {
        auto m = static_cast<std::int32_t>(metro);
        out << (primo ? "" : ",") << "\n{\"metre\":" << m << ",\"x\":";
        elemento(profilo, m, 0, out);
        out << ",\"y\":";
        elemento(profilo, m, 1, out);
        out << '}';
        primo = false;
    }
    out << "\n]}\n";
}

// The decoded geometry (render, tests) and the file's bytes walked in place (dump).
template void geometria(const profilo_linea&, const opzioni_dump&, std::ostream&);
template void geometria(const formato::geometria_in_byte&, const opzioni_dump&, std::ostream&);

}  // namespace json

}  // namespace scenario::strumento
