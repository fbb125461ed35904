#include "output/file_binari.h"

namespace scenario {

std::string byte_profilo_linea(const stato_run&) { return {}; }
std::string byte_punti(const stato_run&) { return {}; }
std::string byte_percorso(const stato_run&) { return {}; }
void scrivi_file_binari(const stato_run&) {}

}  // namespace scenario
