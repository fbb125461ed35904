#pragma once

#include <filesystem>

#include "support/processo_figlio.h"

namespace scenario::prova {

// How the real program is started in a fault test (its own name and folder are filled in).
using avvio_programma = avvio_processo;
using fine_programma_figlio = fine_processo;

// Runs `programma` in `cartella`, headless (no DISPLAY), and waits for its end.
fine_programma_figlio esegui_programma(const std::filesystem::path& cartella,
                                       const std::filesystem::path& programma,
                                       avvio_programma avvio = {});

}  // namespace scenario::prova
