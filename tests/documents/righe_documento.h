#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "textfile/scrittore_testo.h"

namespace scenario::prova {

// The document's lines without the end marker, which must stand last and only there.
inline std::vector<std::string> righe_documento(std::vector<std::string> elenco) {
    EXPECT_FALSE(elenco.empty());
    if (elenco.empty()) return elenco;
    EXPECT_EQ(elenco.back(), marcatore_fine);
    elenco.pop_back();
    for (const std::string& riga : elenco) EXPECT_NE(riga, marcatore_fine);
    return elenco;
}

// A file's bytes cut at every CR LF. Any other CR or LF, or bytes after the last CR LF, fail the
// test: every line of the documents ends with CR LF.
inline std::vector<std::string> dividi_crlf(const std::string& byte) {
    std::vector<std::string> righe;
    std::size_t inizio = 0;
    while (inizio < byte.size()) {
        std::size_t fine = byte.find("\r\n", inizio);
        if (fine == std::string::npos) {
            ADD_FAILURE() << "bytes after the last CR LF: \"" << byte.substr(inizio) << "\"";
            break;
        }
        std::string riga = byte.substr(inizio, fine - inizio);
        EXPECT_EQ(riga.find_first_of("\r\n"), std::string::npos)
            << "stray CR or LF in \"" << riga << "\"";
        righe.push_back(riga);
        inizio = fine + 2;
    }
    return righe;
}

// Characters of a UTF-8 text.
inline std::size_t caratteri(const std::string& testo) {
    std::size_t n = 0;
    for (char c : testo) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    }
    return n;
}

}  // namespace scenario::prova
