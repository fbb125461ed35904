#pragma once

#include <cstdint>

#include "model/cella.h"
#include "model/profilo_linea.h"
#include "model/punto.h"
#include "output/formato_file.h"
#include "output/scrittore_byte.h"

// The writing half of the binary formats (formato_file.h): one record or element at a time onto
// a byte stream, in file order, so that a file can be written as its records come.
namespace scenario::formato {

void scrivi_cella(scrittore_byte& out, const cella& c);

// A `nome` longer than a 16-bit count can say is a run-time fault (guasto_esecuzione).
void scrivi_punto(scrittore_byte& out, const punto& p);

// The element of one metre and component: its type code, then the value in the code's width. An
// integer element whose value does not fit 16 bits is a run-time fault.
void scrivi_elemento(scrittore_byte& out, const profilo_linea& profilo, std::int32_t metro,
                     int componente);

// Every element of one component, metre 0 first, as scrivi_elemento writes each.
void scrivi_componente(scrittore_byte& out, const profilo_linea& profilo, int componente);

codice_elemento codice_di(profilo_linea::tipo_valore tipo);

}  // namespace scenario::formato
