#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "model/numeri.h"
#include "model/stato_run.h"

namespace scenario {

class archivio_file;

// Reads a source one comma-separated field at a time, regardless of line ends. Blanks are spaces
// and tabs; a line ends at CR LF or at a bare LF. Bytes are kept as Windows-1252 bytes.
// Reading past the end, text in a numeric field or a number outside 32 bits is a run-time fault.
class lettore_campi {
  public:
    explicit lettore_campi(std::string contenuto, std::string nome_file = "");
    // The whole file, read at once; a file that cannot be read is a run-time fault.
    static lettore_campi da_file(const std::filesystem::path& file);
    static lettore_campi da_file(const archivio_file& archivio, const std::filesystem::path& file);

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

    // The record being read, for diagnostics: the keyword field just read starts it; the data
    // fields that follow are counted with where each began. Reading is not changed by any of it.
    static constexpr int campi_ricordati = 24;
    void inizia_record();
    std::int32_t riga_record() const { return riga_record_; }
    // Data fields begun since the keyword (the next keyword's field is counted too until it
    // starts its own record).
    int campi_letti() const { return campi_letti_; }
    // Where data field n (0-based) began; {0, 0} past the fields remembered.
    std::int32_t riga_dato(int n) const;
    std::int32_t colonna_dato(int n) const;
    // The first data field that began on a later line than the keyword, or -1.
    int primo_dato_a_capo() const { return primo_a_capo_; }
    // The record's line as written (without its line end), and the column just past its last
    // non-blank byte.
    std::string testo_riga_record() const;
    std::int32_t colonna_fine_riga_record() const;
    // Goes back or forward to the start of the line after the record's line: a record that
    // raised a code is left there, and reading resumes with the next line.
    void riprendi_dopo_record();
    // Line `riga` (1-based) as written, without its line end; empty past the end.
    std::string testo_riga(std::int32_t riga) const;

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

    std::int32_t riga_record_ = 0;
    std::size_t inizio_riga_record_ = 0;
    int campi_letti_ = 0;
    int primo_a_capo_ = -1;
    std::int32_t righe_dati_[campi_ricordati] = {};
    std::int32_t colonne_dati_[campi_ricordati] = {};
};

}  // namespace scenario
