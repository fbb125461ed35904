#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>

#include "model/cella.h"
#include "model/luogo_sorgente.h"
#include "model/profilo_linea.h"
#include "model/punto.h"
#include "model/tabella.h"

namespace scenario {

class archivio_file;
class raccolta_diagnostiche;

// The whole state of one run: the model, the identity, the error fields and the shared counters.
struct stato_run {
    // Identity.
    std::string nome_scenario;
    std::string numero_treno;
    // The folder every file of the run lives in.
    std::filesystem::path cartella;
    // Where the compiler reads, deletes and writes them (textfile/archivio_file.h); none: the
    // disk.
    archivio_file* archivio = nullptr;

    // Model.
    tabella<punto> punti{"punti", indice_punti::numero};
    tabella<cella> percorso{"percorso"};
    profilo_linea profilo;
    tabella<std::int32_t> montagna_inizio{"montagna_inizio", 81};
    tabella<std::int32_t> montagna_fine{"montagna_fine", 81};

    // Scalars.
    std::int32_t scrivi_linea = 0;
    std::int32_t lunghezza_estesa = 0;
    std::int32_t ultima_cella = 0;
    std::string riga;
    std::int32_t codice_errore = 0;
    std::int32_t posizione_errore = 0;
    std::int32_t risposta = 0;
    std::int32_t i = 0;
    std::int32_t k = 0;
    std::int32_t contatore = 0;
    std::int32_t indice = 0;
    std::int32_t conta_montagne = 0;
    std::int32_t passo = 0;

    // Diagnostics: the record being read now, and the one that raised the last code.
    luogo_sorgente luogo_corrente;
    luogo_sorgente luogo_errore;
    std::string causa_guasto;  // what the run-time fault behind a code 25 was
    // Where warnings and, in check, every code go; none in the program's own run.
    raccolta_diagnostiche* diagnostiche = nullptr;
};

// Every entry 0..86 back to all-zero with an empty `nome`.
void azzera_punti(stato_run& stato);

// Sizes `percorso` (and the geometry when `scrivi_linea` is not 0) for a line length, all-zero.
// A length that leaves no cell 1 for the stamps (below -6974 m) is a run-time fault and leaves
// the model unsized.
void dimensiona_modello(stato_run& stato, std::int32_t lunghezza_percorso);

bool percorso_dimensionato(const stato_run& stato);

// Records a code (and where given a position), with the source record being read.
void registra_errore(stato_run& stato, std::int32_t codice);
void registra_errore(stato_run& stato, std::int32_t codice, std::int32_t posizione);

}  // namespace scenario
