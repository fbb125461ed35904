#pragma once

#include <string>
#include <vector>

namespace scenario::prova {

// The lines of a source or document, each ended by CR LF.
inline std::string righe_crlf(const std::vector<std::string>& righe) {
    std::string testo;
    for (const std::string& riga : righe) testo += riga + "\r\n";
    return testo;
}

}  // namespace scenario::prova
