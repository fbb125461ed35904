#pragma once

#include <string>

#include "model/stato_run.h"
#include "textfile/destinazione_byte.h"

namespace scenario {

// The exact bytes of each binary file (docs/formats.md gives the layouts).
// The geometry, every element of `profilo_linea`: a fault when it is not sized to
// `lunghezza_estesa`.
std::string byte_profilo_linea(const stato_run& stato);
// The same bytes into `destinazione` as they are encoded, in blocks, never whole in memory.
void produci_profilo_linea(const stato_run& stato, destinazione_byte& destinazione);
// The 87 records of `punti`: a fault when a `nome` is longer than 32767 bytes.
std::string byte_punti(const stato_run& stato);
// Cells 0 to `ultima_cella`: a fault when the table does not hold them.
std::string byte_percorso(const stato_run& stato);
// The same bytes into `destinazione` a block at a time.
void produci_percorso(const stato_run& stato, destinazione_byte& destinazione);

// Writes "_linea.dat" (only when `scrivi_linea` is not 0), ".sim" and ".dat" as one set, through
// the run's store (textfile/archivio_file.h): every fault of the model is found before the first
// file is touched, the geometry and the cells are written into their temporary files as they are
// encoded, and the files replace the older ones together once all are written. A fault in the model
// (guasto_esecuzione) or a file-system failure (guasto_file) leaves every older file as it was
// and no temporary file behind. A store that keeps the files as their producers (archivio_memoria)
// reads `stato` when it produces them: the model must then outlive it unchanged.
void scrivi_file_binari(const stato_run& stato);

}  // namespace scenario
