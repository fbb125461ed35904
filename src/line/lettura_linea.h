#pragma once

#include <cstdint>
#include <filesystem>
#include <utility>

#include "model/stato_run.h"
#include "textfile/archivio_file.h"
#include "textfile/lettore_campi.h"
#include "textfile/lettura_sorgente.h"

namespace scenario {

// The line source while it is being read, with the state the feature records carry from one to
// the next.
struct lettura_linea {
    lettura_linea(lettore_campi lettore_, std::filesystem::path file_,
                  archivio_file& archivio_ = archivio_disco())
        : lettore(std::move(lettore_)), file(std::move(file_)), archivio(&archivio_) {}

    lettore_campi lettore;
    std::filesystem::path file;
    archivio_file* archivio;  // where the source is deleted

    // Without a length line the cells and the geometry were never sized.
    bool lunghezza_letta = false;

    std::int32_t prossimo_cartello = 80;   // `punti` index of the next board text, counts down
    std::int32_t cursore_pendenza = 0;     // first cell whose gradient is not yet written
    std::int32_t pendenza_precedente = 0;  // gradient in force until the next "pendenza"
    std::int32_t metro = 2;                // next metre of the geometry to compute
};

// The source is read whole when opened, so closing it is only deleting it.
void chiudi_ed_elimina(lettura_linea& lettura);

// An abort: the source is closed and deleted and the code (with its position) recorded.
esito_lettura abbandona_linea(stato_run& stato, lettura_linea& lettura, std::int32_t codice);
esito_lettura abbandona_linea(stato_run& stato, lettura_linea& lettura, std::int32_t codice,
                              std::int32_t posizione);

}  // namespace scenario
