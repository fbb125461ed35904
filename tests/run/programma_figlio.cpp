#include "programma_figlio.h"

namespace scenario::prova {

fine_programma_figlio esegui_programma(const std::filesystem::path& cartella,
                                       const std::filesystem::path& programma,
                                       avvio_programma avvio) {
    avvio.programma = programma;
    avvio.cartella = cartella;
    return processo_figlio(avvio).attendi();
}

}  // namespace scenario::prova
