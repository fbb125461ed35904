// The text form of dump: one line per cell, record or metre, "#" lines say how to read them.
#include <cstdio>
#include <string>

#include "output/formato_file.h"
#include "output/geometria_in_byte.h"
#include "textfile/codifica.h"
#include "tool/membri.h"
#include "tool/scenario_compilato.h"
#include "tool/significati.h"
#include "tool/stampa_formati.h"

namespace scenario::strumento {

namespace testo {

namespace {

// One record per line: quotes, backslashes and control bytes are escaped.
std::string nome_leggibile(const std::string& cp1252) {
    std::string utf8 = da_cp1252(cp1252);
    std::string out = "\"";
    for (char c : utf8) {
        auto b = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (b < 0x20 || b == 0x7F) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\x%02X", static_cast<unsigned>(b));
            out += esc;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string ora(std::int32_t secondi) {
    char testo[32];
    std::snprintf(testo, sizeof testo, "%d:%02d:%02d", secondi / 3600, secondi / 60 % 60,
                  secondi % 60);
    return testo;
}

void stampa_membro(const membro& m, const opzioni_dump& opzioni, std::ostream& out) {
    if (opzioni.tutti || m.valore != 0) out << ' ' << m.nome << '=' << m.valore;
}

const char* nome_tipo(profilo_linea::tipo_valore tipo) {
    switch (tipo) {
        case profilo_linea::tipo_valore::vuoto:
            return "empty";
        case profilo_linea::tipo_valore::intero:
            return "int16";
        case profilo_linea::tipo_valore::reale:
            return "double";
    }
    return "?";
}

template <typename G>
void stampa_elemento(const G& profilo, std::int32_t metro, int componente, std::ostream& out) {
    profilo_linea::tipo_valore tipo = profilo.tipo(metro, componente);
    out << nome_tipo(tipo);
    if (tipo == profilo_linea::tipo_valore::intero) {
        out << ' ' << static_cast<long long>(profilo.valore(metro, componente));
    } else if (tipo == profilo_linea::tipo_valore::reale) {
        out << ' ' << testo_reale(profilo.valore(metro, componente));
    }
}

}  // namespace

void celle(const std::vector<cella>& celle, const opzioni_dump& opzioni, std::ostream& out) {
    out << "# " << celle.size() << " cells of " << formato::byte_cella
        << " bytes; cell n covers the 50 m from (n-1)*50 m"
        << " (cell 0 lies before the start of the line)\n";
    if (!opzioni.tutti) out << "# only non-zero members shown (--all shows every member)\n";
    out << "# each stored value is followed by its meaning in parentheses where it has one\n";
    for (std::size_t n = 0; n < celle.size(); ++n) {
        out << "cell " << n << " from " << metro_punto(n) << " m:";
        const auto membri = membri_cella(celle[n]);
        for (std::size_t m = 0; m < membri.size(); ++m) {
            if (!opzioni.tutti && membri[m].valore == 0) continue;
            out << ' ' << membri[m].nome << '=' << membri[m].valore;
            const std::string significato = significato_membro_cella(celle[n], m);
            if (!significato.empty()) out << " (" << significato << ')';
        }
        out << '\n';
    }
}

void punti(const std::vector<punto>& punti, const opzioni_dump& opzioni, std::ostream& out) {
    out << "# " << punti.size() << " records; names shown as UTF-8 (stored as Windows-1252)\n";
    if (!opzioni.tutti) out << "# only non-zero members shown (--all shows every member)\n";
    for (std::size_t n = 0; n < punti.size(); ++n) {
        const punto& p = punti[n];
        out << "record " << n << ':';
        if (!opzioni.tutti && p == punto{}) out << " (empty)";
        auto membri = membri_punto(p);
        for (std::size_t m = 0; m < membri.size(); ++m) {
            if (m == membri_prima_del_nome && (opzioni.tutti || !p.nome.empty())) {
                out << " nome=" << nome_leggibile(p.nome);
            }
            stampa_membro(membri[m], opzioni, out);
        }
        int indice = static_cast<int>(n);
        bool stazione_o_cartello = indice >= 1 && indice <= indice_punti::primo_cartello;
        // Station entries hold a time of day; in entry 85 the same member is a checksum.
        if (stazione_o_cartello && p.orario > 0 && p.orario < 7 * 86400) {
            out << " (" << ora(p.orario) << ')';
        }
        const char* ruolo = ruolo_punto(indice);
        if (*ruolo != '\0') out << "  # " << ruolo;
        out << '\n';
    }
}

template <typename G>
void geometria(const G& profilo, const opzioni_dump& opzioni, std::ostream& out) {
    out << "# " << profilo.ultimo_metro() + 1
        << " metres; x = component 0, y = component 1, in metres; type empty, int16 or double";
    if (opzioni.passo > 1) out << "; every " << opzioni.passo << "th metre";
    out << '\n';
    for (std::int64_t metro = 0; metro <= profilo.ultimo_metro(); metro += opzioni.passo) {
        auto m = static_cast<std::int32_t>(metro);
        out << "metre " << m << ": x ";
        stampa_elemento(profilo, m, 0, out);
        out << ", y ";
        stampa_elemento(profilo, m, 1, out);
        out << '\n';
    }
}

// The decoded geometry (render, tests) and the file's bytes walked in place (dump).
template void geometria(const profilo_linea&, const opzioni_dump&, std::ostream&);
template void geometria(const formato::geometria_in_byte&, const opzioni_dump&, std::ostream&);

}  // namespace testo

}  // namespace scenario::strumento
