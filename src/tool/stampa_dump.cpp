#include "tool/stampa_dump.h"

#include "tool/stampa_formati.h"

namespace scenario::strumento {

void stampa_celle(const std::vector<cella>& celle, const opzioni_dump& opzioni, std::ostream& out) {
    opzioni.json ? json::celle(celle, opzioni, out) : testo::celle(celle, opzioni, out);
}

void stampa_punti(const std::vector<punto>& punti, const opzioni_dump& opzioni, std::ostream& out) {
    opzioni.json ? json::punti(punti, opzioni, out) : testo::punti(punti, opzioni, out);
}

void stampa_geometria(const profilo_linea& profilo, const opzioni_dump& opzioni,
                      std::ostream& out) {
    opzioni.json ? json::geometria(profilo, opzioni, out) : testo::geometria(profilo, opzioni, out);
}

void stampa_geometria(const formato::geometria_in_byte& geometria, const opzioni_dump& opzioni,
                      std::ostream& out) {
    opzioni.json ? json::geometria(geometria, opzioni, out)
                 : testo::geometria(geometria, opzioni, out);
}

}  // namespace scenario::strumento
