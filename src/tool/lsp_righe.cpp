#include "tool/lsp_righe.h"

namespace scenario::strumento::lsp {

namespace {

bool spazio(char c) { return c == ' ' || c == '\t'; }

std::string minuscole(std::string_view s) {
    std::string m(s);
    for (char& c : m) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return m;
}

}  // namespace

std::vector<campo_riga> campi_riga(std::string_view riga, tipo_sorgente tipo,
                                   const forma_record* forma) {
    std::vector<campo_riga> campi;
    std::size_t i = 0;
    while (i < riga.size() && spazio(riga[i])) ++i;
    const std::size_t virgola = riga.find(',', i);
    const std::size_t fine_parola = virgola == std::string_view::npos ? riga.size() : virgola;
    campi.push_back({i, fine_parola});
    if (virgola == std::string_view::npos) return campi;
    i = virgola + 1;
    const bool blank_separa = tipo == tipo_sorgente::treno;
    while (i < riga.size()) {
        while (i < riga.size() && spazio(riga[i])) ++i;
        const std::size_t inizio = i;
        const bool testo =
            forma != nullptr && static_cast<int>(campi.size()) - 1 == forma->campo_testo;
        if (testo && blank_separa) {
            i = riga.size();
        } else {
            while (i < riga.size() && riga[i] != ',' &&
                   !(blank_separa && !testo && spazio(riga[i])))
                ++i;
        }
        std::size_t fine = i;
        while (fine > inizio && spazio(riga[fine - 1])) --fine;
        campi.push_back({inizio, fine});
        while (i < riga.size() && spazio(riga[i])) ++i;
        if (i < riga.size() && riga[i] == ',') ++i;
    }
    return campi;
}

std::size_t campo_a(const std::vector<campo_riga>& campi, std::size_t indice) {
    std::size_t trovato = 0;
    for (std::size_t k = 0; k < campi.size(); ++k) {
        if (campi[k].inizio <= indice) trovato = k;
    }
    return trovato;
}

std::vector<riga_sorgente> righe_sorgente(std::string_view byte) {
    std::vector<riga_sorgente> righe;
    std::string sezione;
    std::size_t inizio = 0;
    for (std::int32_t n = 0; inizio <= byte.size(); ++n) {
        std::size_t fine = byte.find('\n', inizio);
        const bool ultima = fine == std::string_view::npos;
        if (ultima) fine = byte.size();
        std::string_view testo = byte.substr(inizio, fine - inizio);
        if (!testo.empty() && testo.back() == '\r') testo.remove_suffix(1);
        const std::string_view parola = testo.substr(0, testo.find(','));
        riga_sorgente r{n, std::string(testo), sezione, false};
        if (intestazione_sezione(parola)) {
            std::string m = minuscole(parola);
            const std::size_t a = m.find('[');
            const std::size_t b = m.find(']', a);
            sezione = b == std::string::npos ? m : m.substr(a, b - a + 1);
            r.sezione = sezione;
            r.intestazione = true;
        }
        righe.push_back(std::move(r));
        if (ultima) break;
        inizio = fine + 1;
    }
    return righe;
}

parte_sorgente parte_di(tipo_sorgente tipo, std::string_view sezione) {
    if (tipo == tipo_sorgente::treno) return parte_sorgente::treno;
    return sezione == "[generale]" ? parte_sorgente::intestazione_linea
                                   : parte_sorgente::caratteristiche_linea;
}

const forma_record* record_della_riga(const riga_sorgente& riga, tipo_sorgente tipo) {
    if (riga.intestazione || riga.sezione.empty()) return nullptr;
    if (tipo == tipo_sorgente::linea && riga.sezione == "[fine]") return nullptr;
    const std::string_view parola = std::string_view(riga.testo).substr(0, riga.testo.find(','));
    // A field with '-' where a keyword is expected is a comment.
    if (parola.find('-') != std::string_view::npos) return nullptr;
    return riconosci_record(parte_di(tipo, riga.sezione), parola, true);
}

}  // namespace scenario::strumento::lsp
