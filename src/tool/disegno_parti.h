#pragma once

// The two panels of the page, drawn by disegno_pianta.cpp and disegno_profili.cpp.
#include <string>

#include "tool/elementi_linea.h"
#include "tool/scenario_compilato.h"

namespace scenario::strumento::disegno {

inline constexpr const char* colore_linea = "#333333";
inline constexpr const char* colore_stazione = "#1f4e9c";
inline constexpr const char* colore_segnale = "#c0392b";
inline constexpr const char* colore_rallentamento = "#e67e22";

// A distance in kilometres for a label: "57", "82.5", "96.05".
std::string km(double metri);

// A round step (1, 2 or 5 times a power of ten) of at least `minimo`.
double passo_tondo(double minimo);

// Each panel appends its elements to `svg` and returns the height it took; both draw the
// stretch from `da` to `a` metres.
double pianta(std::string& svg, const scenario_compilato& s, double x, double y, double larghezza,
              double altezza_massima, double da, double a);
double righe(std::string& svg, const elementi_linea& e, double x, double y, double larghezza,
             double da, double a);

}  // namespace scenario::strumento::disegno
