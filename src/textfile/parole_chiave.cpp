#include "textfile/parole_chiave.h"

#include <algorithm>

namespace scenario {

namespace {

char minuscola(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool uguali_senza_maiuscole(char a, char b) { return minuscola(a) == minuscola(b); }

}  // namespace

bool contiene(std::string_view campo, std::string_view parte) {
    return campo.find(parte) != std::string_view::npos;
}

bool contiene_senza_maiuscole(std::string_view campo, std::string_view parte) {
    return std::search(campo.begin(), campo.end(), parte.begin(), parte.end(),
                       uguali_senza_maiuscole) != campo.end() ||
           parte.empty();
}

}  // namespace scenario
