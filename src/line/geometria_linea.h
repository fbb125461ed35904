#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "line/lettura_linea.h"
#include "model/profilo_linea.h"
#include "model/stato_run.h"

namespace scenario {

// The turn per metre of a curve keyword: its class is the first of the digits 1..6 it contains,
// in that order; an "s" anywhere turns the other way. No class digit: no value.
std::optional<double> svolta_curva(std::string_view parola);

// Metres 0 and 1: the line starts at the origin heading along the second component.
void imposta_inizio_geometria(stato_run& stato);

// One metre of geometry from the two before it.
void passo_rettilineo(profilo_linea& profilo, std::int32_t metro);
void passo_curva(profilo_linea& profilo, std::int32_t metro, double k);

// Straight up to the curve's start, then turning to its end, on the shared metre counter.
// Returns `abbandona` (code 103) when the counter passes 1000000; a curve that runs past the
// geometry array is a run-time fault.
esito_lettura disegna_curva(stato_run& stato, lettura_linea& lettura, std::int32_t inizio,
                            std::int32_t lunghezza, double k);

// Straight on up to the third-last metre: the last two stay empty.
void completa_geometria(stato_run& stato, lettura_linea& lettura);

}  // namespace scenario
