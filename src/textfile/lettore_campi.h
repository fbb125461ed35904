#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "model/numeri.h"
#include "model/stato_run.h"

namespace scenario {

// Reads a source one comma-separated field at a time, regardless of line ends. Blanks are spaces
// and tabs; a line ends at CR LF or at a bare LF. Bytes are kept as Windows-1252 bytes.
// Reading past the end, text in a numeric field or a number outside 32 bits is a run-time fault.
class lettore_campi {
public:
    explicit lettore_campi(std::string contenuto, std::string nome_file = "");
    // The whole file, read at once; a file that cannot be read is a run-time fault.
    static lettore_campi da_file(const std::filesystem::path& file);

    bool fine() const { return pos_ >= testo_.size(); }

    // A text field: from its first non-blank byte to the next comma or line end, trailing blanks
    // dropped; the comma or line end is consumed.
    std::string leggi_testo();

    // A numeric field (optional minus sign and digits; empty reads as 0). A field ended by blanks
    // also consumes the blanks that follow and then one comma or one line end if that comes next.
    std::int32_t leggi_numero();

    // A numeric field that must fit T.
    template <typename T>
    T leggi() {
        return stretto<T>(leggi_numero(), "campo numerico");
    }

    // Where the last field read began (1-based line and column).
    const luogo_sorgente& luogo_campo() const { return luogo_; }

private:
    bool a_spazio() const;
    std::size_t lunghezza_fine_riga() const;  // 0 when not at a line end
    void avanza(std::size_t n);
    void salta_spazi();
    void inizia_campo();

    std::string testo_;
    std::size_t pos_ = 0;
    std::int32_t riga_ = 1;
    std::size_t inizio_riga_ = 0;
    luogo_sorgente luogo_;
};

}  // namespace scenario
