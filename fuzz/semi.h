#pragma once

// What the harnesses and the seed generator share: the identity the sources are compiled under,
// the built-in sources as the bytes the program writes, and the mark that splits one input into
// a line source and a train source.
#include <string>
#include <string_view>

#include "line/sorgente_linea.h"
#include "textfile/scrittore_testo.h"
#include "train/sorgente_treno.h"

namespace scenario::fuzz {

inline constexpr const char* nome_scenario = "Lerno_Castelbrum_Pusena";
inline constexpr const char* numero_treno = "27364";

// Between the line source and the train source in an input of fuzz_entrambe.
inline constexpr std::string_view separatore_treno = "%%treno%%";

inline std::string sorgente_linea_incorporata() { return testo_da_elenco(elenco_sorgente_linea()); }
inline std::string sorgente_treno_incorporata() { return testo_da_elenco(elenco_sorgente_treno()); }

}  // namespace scenario::fuzz
