#include "tool/lsp_cornice.h"

#include <charconv>
#include <optional>

namespace scenario::strumento::lsp {

namespace {

// A header line longer than this is no header: reading it whole would take any amount of memory.
constexpr std::size_t riga_massima = 1024;
constexpr int righe_massime = 32;

messaggio_letto errata(std::string motivo) {
    return {esito_lettura::cornice_errata, {}, std::move(motivo)};
}

bool stesso_nome(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto minuscola = [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
        };
        if (minuscola(a[i]) != minuscola(b[i])) return false;
    }
    return true;
}

std::string_view senza_spazi(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

}  // namespace

messaggio_letto leggi_messaggio(std::istream& in, std::size_t massimo) {
    std::optional<std::size_t> lunghezza;
    for (int righe = 0;; ++righe) {
        if (righe == righe_massime) return errata("more than 32 header lines");
        std::string riga;
        bool chiusa = false;
        for (int c = in.get(); c != std::char_traits<char>::eof(); c = in.get()) {
            if (c == '\n') {
                chiusa = true;
                break;
            }
            if (riga.size() == riga_massima) return errata("a header line longer than 1024 bytes");
            riga += static_cast<char>(c);
        }
        if (!chiusa) {
            if (righe == 0 && riga.empty()) return {esito_lettura::fine, {}, {}};
            return errata("the input ended inside a header");
        }
        if (riga.empty() || riga.back() != '\r') return errata("a header line not ended by CR LF");
        riga.pop_back();
        if (riga.empty()) break;
        const std::size_t due_punti = riga.find(':');
        if (due_punti == std::string::npos) return errata("a header line without ':'");
        const std::string_view nome = senza_spazi(std::string_view(riga).substr(0, due_punti));
        const std::string_view valore = senza_spazi(std::string_view(riga).substr(due_punti + 1));
        if (!stesso_nome(nome, "Content-Length")) continue;
        std::size_t n = 0;
        const auto [fine, errore] =
            std::from_chars(valore.data(), valore.data() + valore.size(), n);
        if (errore == std::errc::result_out_of_range) {
            return errata("Content-Length " + std::string(valore) + " is too large");
        }
        if (errore != std::errc() || fine != valore.data() + valore.size()) {
            return errata("Content-Length '" + std::string(valore) + "' is not a number");
        }
        if (lunghezza && *lunghezza != n) return errata("two different Content-Length headers");
        lunghezza = n;
    }
    if (!lunghezza) return errata("a message without Content-Length");
    if (*lunghezza > massimo) {
        return errata("Content-Length " + std::to_string(*lunghezza) + " is over the limit of " +
                      std::to_string(massimo) + " bytes");
    }
    std::string corpo(*lunghezza, '\0');
    in.read(corpo.data(), static_cast<std::streamsize>(corpo.size()));
    if (static_cast<std::size_t>(in.gcount()) != corpo.size()) {
        return errata("the input ended inside a message of " + std::to_string(corpo.size()) +
                      " bytes");
    }
    return {esito_lettura::messaggio, std::move(corpo), {}};
}

void scrivi_messaggio(std::ostream& out, std::string_view corpo) {
    out << "Content-Length: " << corpo.size() << "\r\n\r\n" << corpo;
    out.flush();
}

}  // namespace scenario::strumento::lsp
