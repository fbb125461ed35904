#include "textfile/lettore_campi.h"

#include "model/guasto.h"
#include "textfile/archivio_file.h"

namespace scenario {

lettore_campi::lettore_campi(std::string contenuto, std::string nome_file)
    : testo_(std::move(contenuto)) {
    luogo_.file = std::move(nome_file);
}

lettore_campi lettore_campi::da_file(const std::filesystem::path& file) {
    return da_file(archivio_disco(), file);
}

lettore_campi lettore_campi::da_file(const archivio_file& archivio,
                                     const std::filesystem::path& file) {
    try {
        return lettore_campi(archivio.leggi(file), file.filename().string());
    } catch (const guasto_file& e) {
        throw guasto_esecuzione("impossibile leggere " + e.file() + ": " + e.causa());
    }
}

bool lettore_campi::a_spazio() const {
    return pos_ < testo_.size() && (testo_[pos_] == ' ' || testo_[pos_] == '\t');
}

std::size_t lettore_campi::lunghezza_fine_riga() const {
    if (pos_ >= testo_.size()) return 0;
    if (testo_[pos_] == '\n') return 1;
    if (testo_[pos_] == '\r' && pos_ + 1 < testo_.size() && testo_[pos_ + 1] == '\n') return 2;
    return 0;
}

void lettore_campi::avanza(std::size_t n) {
    for (std::size_t fine = pos_ + n; pos_ < fine; ++pos_) {
        if (testo_[pos_] == '\n') {
            ++riga_;
            inizio_riga_ = pos_ + 1;
        }
    }
}

void lettore_campi::salta_spazi() {
    while (a_spazio()) ++pos_;
}

void lettore_campi::inizia_campo() {
    if (fine()) {
        throw guasto_esecuzione("lettura oltre la fine del file" +
                                (luogo_.file.empty() ? std::string() : " " + luogo_.file));
    }
    salta_spazi();
    luogo_.riga = riga_;
    luogo_.colonna = static_cast<std::int32_t>(pos_ - inizio_riga_ + 1);
    if (campi_letti_ < campi_ricordati) {
        righe_dati_[campi_letti_] = luogo_.riga;
        colonne_dati_[campi_letti_] = luogo_.colonna;
    }
    if (primo_a_capo_ < 0 && riga_ > riga_record_) primo_a_capo_ = campi_letti_;
    ++campi_letti_;
}

void lettore_campi::inizia_record() {
    riga_record_ = luogo_.riga;
    // The keyword may have consumed its own line end: its line is where it began.
    if (riga_ != riga_record_) {
        std::size_t n = inizio_riga_ == 0 ? 0 : inizio_riga_ - 1;
        while (n > 0 && testo_[n - 1] != '\n') --n;
        inizio_riga_record_ = n;
    } else {
        inizio_riga_record_ = inizio_riga_;
    }
    campi_letti_ = 0;
    primo_a_capo_ = -1;
}

std::int32_t lettore_campi::riga_dato(int n) const {
    return n >= 0 && n < campi_ricordati && n < campi_letti_ ? righe_dati_[n] : 0;
}

std::int32_t lettore_campi::colonna_dato(int n) const {
    return n >= 0 && n < campi_ricordati && n < campi_letti_ ? colonne_dati_[n] : 0;
}

namespace {

// The end of the line that starts at `inizio`: the offset of its LF (or CR LF), or the text's end.
std::size_t fine_riga_da(const std::string& testo, std::size_t inizio) {
    std::size_t fine = testo.find('\n', inizio);
    if (fine == std::string::npos) return testo.size();
    if (fine > inizio && testo[fine - 1] == '\r') --fine;
    return fine;
}

}  // namespace

std::string lettore_campi::testo_riga_record() const {
    if (inizio_riga_record_ > testo_.size()) return {};
    return testo_.substr(inizio_riga_record_,
                         fine_riga_da(testo_, inizio_riga_record_) - inizio_riga_record_);
}

std::int32_t lettore_campi::colonna_fine_riga_record() const {
    std::string riga = testo_riga_record();
    std::size_t fine = riga.find_last_not_of(" \t");
    return static_cast<std::int32_t>(fine == std::string::npos ? 1 : fine + 2);
}

void lettore_campi::riprendi_dopo_record() {
    if (riga_record_ <= 0 || inizio_riga_record_ > testo_.size()) return;
    std::size_t lf = testo_.find('\n', inizio_riga_record_);
    pos_ = lf == std::string::npos ? testo_.size() : lf + 1;
    riga_ = riga_record_ + 1;
    inizio_riga_ = pos_;
}

std::string lettore_campi::testo_riga(std::int32_t riga) const {
    std::size_t inizio = 0;
    for (std::int32_t n = 1; n < riga; ++n) {
        std::size_t lf = testo_.find('\n', inizio);
        if (lf == std::string::npos) return {};
        inizio = lf + 1;
    }
    return testo_.substr(inizio, fine_riga_da(testo_, inizio) - inizio);
}

std::string lettore_campi::leggi_testo() {
    inizia_campo();
    std::size_t inizio = pos_;
    while (pos_ < testo_.size() && testo_[pos_] != ',' && lunghezza_fine_riga() == 0) ++pos_;
    std::size_t fine_campo = pos_;
    while (fine_campo > inizio &&
           (testo_[fine_campo - 1] == ' ' || testo_[fine_campo - 1] == '\t')) {
        --fine_campo;
    }
    std::string campo = testo_.substr(inizio, fine_campo - inizio);
    if (pos_ < testo_.size()) avanza(testo_[pos_] == ',' ? 1 : lunghezza_fine_riga());
    return campo;
}

std::int32_t lettore_campi::leggi_numero() {
    inizia_campo();
    std::size_t inizio = pos_;
    while (pos_ < testo_.size() && testo_[pos_] != ',' && !a_spazio() &&
           lunghezza_fine_riga() == 0) {
        ++pos_;
    }
    const std::string campo = testo_.substr(inizio, pos_ - inizio);
    // The field's place, for the fault below (the file name is not needed, nor copied).
    const std::int32_t riga = luogo_.riga;
    const std::int32_t colonna = luogo_.colonna;
    salta_spazi();
    if (pos_ < testo_.size()) {
        if (testo_[pos_] == ',') {
            avanza(1);
        } else {
            avanza(lunghezza_fine_riga());
        }
    }

    if (campo.empty()) return 0;
    std::size_t n = campo[0] == '-' ? 1 : 0;
    if (n == campo.size()) throw guasto_esecuzione("campo numerico non valido: \"" + campo + "\"");
    long long valore = 0;
    for (; n < campo.size(); ++n) {
        char c = campo[n];
        if (c < '0' || c > '9') {
            throw guasto_esecuzione("testo in un campo numerico: \"" + campo + "\" alla riga " +
                                    std::to_string(riga) + ", colonna " + std::to_string(colonna));
        }
        valore = valore * 10 + (c - '0');
        if (valore > 2147483648LL) break;
    }
    if (campo[0] == '-') valore = -valore;
    return stretto<std::int32_t>(valore, "numero");
}

}  // namespace scenario
