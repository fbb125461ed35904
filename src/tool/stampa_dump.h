#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

#include "model/cella.h"
#include "model/profilo_linea.h"
#include "model/punto.h"
#include "output/geometria_in_byte.h"

namespace scenario::strumento {

struct opzioni_dump {
    bool json = false;
    bool tutti = false;      // every member, not only the non-zero ones
    std::int32_t passo = 1;  // geometry: every passo-th metre
};

// One cell per line (or one JSON object), with its index and where it begins along the line.
void stampa_celle(const std::vector<cella>& celle, const opzioni_dump& opzioni, std::ostream& out);

// The 87 records with their member names; names as UTF-8.
void stampa_punti(const std::vector<punto>& punti, const opzioni_dump& opzioni, std::ostream& out);

// Metre, type and value of both components, every passo-th metre.
void stampa_geometria(const profilo_linea& profilo, const opzioni_dump& opzioni, std::ostream& out);
void stampa_geometria(const formato::geometria_in_byte& geometria, const opzioni_dump& opzioni,
                      std::ostream& out);

}  // namespace scenario::strumento
