#pragma once

#include <array>
#include <string>

#include "model/cella.h"
#include "model/punto.h"

namespace scenario::strumento {

// A member of a record by name, as the dump shows it.
struct membro {
    const char* nome;
    long long valore;
};

// The 11 members of a cell, in file order.
std::array<membro, 11> membri_cella(const cella& c);

// The 15 numeric members of a record in file order; `nome` stands between the first five and the
// other ten.
inline constexpr std::size_t membri_prima_del_nome = 5;
std::array<membro, 15> membri_punto(const punto& p);

// What a fixed entry of the record table holds; empty for station and board entries.
const char* ruolo_punto(int indice);

// A double written so that reading it back gives the same bits (shortest round-trip form).
std::string testo_reale(double valore);

}  // namespace scenario::strumento
