#include "textfile/lettore_campi.h"

#include "model/guasto.h"
#include "textfile/file_disco.h"

namespace scenario {

lettore_campi::lettore_campi(std::string contenuto, std::string nome_file)
    : testo_(std::move(contenuto)) {
    luogo_.file = std::move(nome_file);
}

lettore_campi lettore_campi::da_file(const std::filesystem::path& file) {
    try {
        return lettore_campi(leggi_file(file), file.filename().string());
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
}

std::string lettore_campi::leggi_testo() {
    inizia_campo();
    std::size_t inizio = pos_;
    while (pos_ < testo_.size() && testo_[pos_] != ',' && lunghezza_fine_riga() == 0) ++pos_;
    std::size_t fine_campo = pos_;
    while (fine_campo > inizio && (testo_[fine_campo - 1] == ' ' || testo_[fine_campo - 1] == '\t')) {
        --fine_campo;
    }
    std::string campo = testo_.substr(inizio, fine_campo - inizio);
    if (pos_ < testo_.size()) avanza(testo_[pos_] == ',' ? 1 : lunghezza_fine_riga());
    return campo;
}

std::int32_t lettore_campi::leggi_numero() {
    inizia_campo();
    std::size_t inizio = pos_;
    while (pos_ < testo_.size() && testo_[pos_] != ',' && !a_spazio() && lunghezza_fine_riga() == 0) {
        ++pos_;
    }
    std::string campo = testo_.substr(inizio, pos_ - inizio);
    luogo_sorgente dove = luogo_;
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
                                    std::to_string(dove.riga) + ", colonna " +
                                    std::to_string(dove.colonna));
        }
        valore = valore * 10 + (c - '0');
        if (valore > 2147483648LL) break;
    }
    if (campo[0] == '-') valore = -valore;
    return stretto<std::int32_t>(valore, "numero");
}

}  // namespace scenario
