#pragma once

#include <sys/resource.h>

#include <filesystem>
#include <optional>
#include <string>

#include "support/senza_privilegi.h"

namespace scenario::prova {

// How the real program is started in a fault test.
struct avvio_programma {
    // A file-size limit (RLIMIT_FSIZE) in bytes, as a full disk would set one.
    std::optional<rlim_t> limite_file;
    // Run as the unprivileged user "nobody" (only possible as root).
    bool senza_privilegi = false;
};

struct fine_programma_figlio {
    bool uscito = false;  // false: ended by a signal
    int stato = -1;       // the exit status, or the signal number
    std::string errori;   // everything written on standard error
};

// Runs `programma` in `cartella`, headless (no DISPLAY), and waits for its end.
fine_programma_figlio esegui_programma(const std::filesystem::path& cartella,
                                       const std::filesystem::path& programma,
                                       const avvio_programma& avvio = {});

}  // namespace scenario::prova
