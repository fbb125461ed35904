#include "textfile/parole_chiave.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace scenario {

namespace {

constexpr char minuscola(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool uguali_senza_maiuscole(char a, char b) { return minuscola(a) == minuscola(b); }

// Every byte with its ASCII letters in lower case, by table: no comparison per byte.
constexpr std::array<char, 256> minuscole = [] {
    std::array<char, 256> t{};
    for (std::size_t b = 0; b < t.size(); ++b) t[b] = minuscola(static_cast<char>(b));
    return t;
}();

// Keyword fields are short: folded on the stack, then one plain search.
constexpr std::size_t campo_corto = 64;

std::string_view piega(std::string_view testo, std::array<char, campo_corto>& dove) {
    const std::size_t n = std::min(testo.size(), dove.size());
    for (std::size_t i = 0; i < n; ++i) dove[i] = minuscole[static_cast<unsigned char>(testo[i])];
    return {dove.data(), n};
}

}  // namespace

bool contiene(std::string_view campo, std::string_view parte) {
    return campo.find(parte) != std::string_view::npos;
}

bool contiene_senza_maiuscole(std::string_view campo, std::string_view parte) {
    if (parte.empty()) return true;
    if (campo.size() > campo_corto || parte.size() > campo_corto) {
        return std::search(campo.begin(), campo.end(), parte.begin(), parte.end(),
                           uguali_senza_maiuscole) != campo.end();
    }
    std::array<char, campo_corto> c;
    std::array<char, campo_corto> p;
    return piega(campo, c).find(piega(parte, p)) != std::string_view::npos;
}

}  // namespace scenario
