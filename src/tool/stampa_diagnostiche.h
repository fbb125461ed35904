#pragma once

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "model/diagnostica.h"

namespace scenario::strumento {

enum class formato_diagnostiche { testo, gcc, json };

// The sources the diagnostics point into, by the file name they carry, as bytes; the text
// format quotes their lines.
using sorgenti_citate = std::map<std::string, std::string, std::less<>>;

// `cartella` is put before every file name, so that an editor finds the author's file.
void stampa_diagnostiche(const std::vector<diagnostica>& elenco, formato_diagnostiche formato,
                         const sorgenti_citate& sorgenti, const std::string& cartella,
                         std::ostream& out);

}  // namespace scenario::strumento
