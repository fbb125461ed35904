#pragma once

#include <string>

#include "model/stato_run.h"

namespace scenario {

// The exact bytes of each binary file (docs/formats.md gives the layouts).
// The geometry, every element of `profilo_linea`: a fault when it is not sized to
// `lunghezza_estesa`.
std::string byte_profilo_linea(const stato_run& stato);
// The 87 records of `punti`: a fault when a `nome` is longer than 32767 bytes.
std::string byte_punti(const stato_run& stato);
// Cells 0 to `ultima_cella`.
std::string byte_percorso(const stato_run& stato);

// Writes "_linea.dat" (only when `scrivi_linea` is not 0), ".sim" and ".dat", in that order, each
// replacing any older file whole. All the bytes are built before the first file is touched, so a
// fault in the model leaves every older file as it was; a file-system failure (guasto_file) leaves
// the files written before it and the older ones after it.
void scrivi_file_binari(const stato_run& stato);

}  // namespace scenario
