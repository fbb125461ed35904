#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "model/stato_run.h"
#include "run/piattaforma.h"

namespace scenario {

inline constexpr const char* nome_scenario_predefinito = "Lerno_Castelbrum_Pusena";
inline constexpr const char* numero_treno_predefinito = "27364";

struct esito_run {
    enum class fine {
        completata,         // every file written, no code recorded
        codice_registrato,  // every file written, a compiler or cell-pass code recorded
        fermata,            // stopped before the binary files (1250, 1251, cells unsized)
        guasto,             // a file-system or other run-time failure outside the compiler
    };
    fine come = fine::completata;
    std::int32_t codice_errore = 0;
    std::int32_t posizione_errore = 0;
    // One line for standard error; empty for a clean run.
    std::string diagnosi;
};

// The whole run: identity, wait window, the folder held for this run alone
// (textfile/blocco_cartella.h) and cleared of a killed run's temporary files, the five text
// files, compilation and output. A failure of the system removes the two sources.
esito_run Form_Load(stato_run& stato, piattaforma& schermo, const std::filesystem::path& cartella);

// The outcome of a compilation that ended normally: `file_scritti` is what memorizza_percorso
// returned.
esito_run esito_compilazione(const stato_run& stato, bool file_scritti);

// The process exit status of a run (documented in the README).
int stato_uscita(const esito_run& esito);

}  // namespace scenario
