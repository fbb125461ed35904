#pragma once

// The two forms of dump, chosen by stampa_dump.cpp.
#include "tool/stampa_dump.h"

namespace scenario::strumento {

namespace testo {
void celle(const std::vector<cella>& celle, const opzioni_dump& opzioni, std::ostream& out);
void punti(const std::vector<punto>& punti, const opzioni_dump& opzioni, std::ostream& out);
// G: profilo_linea or formato::geometria_in_byte.
template <typename G>
void geometria(const G& geometria, const opzioni_dump& opzioni, std::ostream& out);
}  // namespace testo

namespace json {
void celle(const std::vector<cella>& celle, const opzioni_dump& opzioni, std::ostream& out);
void punti(const std::vector<punto>& punti, const opzioni_dump& opzioni, std::ostream& out);
// G: profilo_linea or formato::geometria_in_byte.
template <typename G>
void geometria(const G& geometria, const opzioni_dump& opzioni, std::ostream& out);
}  // namespace json

}  // namespace scenario::strumento
