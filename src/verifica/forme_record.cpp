#include "verifica/forme_record.h"

#include <algorithm>
#include <vector>

#include "textfile/parole_chiave.h"

namespace scenario {

namespace {

using campi_t = std::array<std::string_view, 17>;

const forma_record lunghezza{"lunghezza percorso", 1, campi_t{"lunghezza"}};
const forma_record progressiva{"progressiva chilometrica", 3,
                               campi_t{"inizio", "scostamento", "aggiunta di 100"}};
const forma_record sfondo{"sfondo", 1, campi_t{"posizione"}};
const forma_record ripetizione{"ripetizione segnali", 2, campi_t{"inizio", "fine"}};

const forma_record pendenza{"pendenza", 2, campi_t{"posizione", "pendenza"}};
const forma_record curva{"curva", 2, campi_t{"inizio", "lunghezza"}};
const forma_record montagna{"montagna", 3, campi_t{"inizio", "fine", "tipo"}};
const forma_record indicatori{
    "indicatori_vmax", 9,
    campi_t{"posizione", "vas", "vbs", "vcs", "strisces", "vad", "vbd", "vcd", "strisced"}};
const forma_record cartello{"cartello_indicatore", 2, campi_t{"posizione", "testo"}, 1};

const forma_record massa{"percentuale massa frenata", 1, campi_t{"percentuale"}};
const forma_record vetture{"numero vetture", 1, campi_t{"vetture"}};
const forma_record velocita{"velocita", 2, campi_t{"posizione", "velocita"}};
const forma_record aderenza{"aderenza", 2, campi_t{"posizione", "aderenza"}};
const forma_record orologio{"orologio", 3, campi_t{"ore", "minuti", "secondi"}};
const forma_record sabbia{"sabbia", 1, campi_t{"sabbia"}};
const forma_record segnale{
    "segnale", 11,
    campi_t{"posizione", "sx", "s1", "s2", "s3", "rapp", "dx", "d1", "d2", "d3", "tempo"}};
const forma_record rallentamento{"rallentamento", 6, campi_t{"x", "v", "l", "f_tt", "f_ta", "d_v"}};
const forma_record abbattimento{"abbattimento", 2, campi_t{"posizione", "codice"}};
const forma_record stazione{
    "stazione", 17,
    campi_t{"posizione", "tipo", "lunghezza", "campo 4", "campo 5", "campo 6", "campo 7", "campo 8",
            "campo 9", "campo 10", "campo 11", "campo 12", "campo 13", "ore", "minuti", "secondi",
            "nome"},
    16};

bool ci(std::string_view parola, std::string_view parte) {
    return contiene_senza_maiuscole(parola, parte);
}
bool esatto(std::string_view parola, std::string_view parte) { return contiene(parola, parte); }

const std::vector<std::string> parole_intestazione = {"lunghezza percorso",
                                                      "progressiva chilometrica uno",
                                                      "progressiva chilometrica due",
                                                      "progressiva chilometrica tre",
                                                      "sfondo uno",
                                                      "sfondo due",
                                                      "sfondo tre",
                                                      "ripetizione segnali 4 codici"};
const std::vector<std::string> parole_caratteristiche = {"pendenza", "montagna", "indicatori_vmax",
                                                         "cartello_indicatore"};
const std::vector<std::string> parole_treno = {"numero vetture", "percentuale massa frenata",
                                               "sabbia",         "orologio",
                                               "aderenza",       "velocita",
                                               "stazione",       "rallentamento",
                                               "segnale",        "abbattimento"};

const std::vector<std::string> sezioni_linea = {
    "[generale]", "[curve]", "[pendenze]", "[montagne]", "[cartelli]", "[indicazioni]", "[fine]"};
const std::vector<std::string> sezioni_treno = {"[generale]", "[aderenze]",      "[vel_limite]",
                                                "[stazioni]", "[rallentamenti]", "[segnali]",
                                                "[codici]",   "[fine]"};

std::string minuscole(std::string_view s) {
    std::string m(s);
    for (char& c : m) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return m;
}

// Edit distance with a cap: past `tetto` the exact figure does not matter. Only the cells within
// `tetto` of the diagonal can stay under it, and once a whole row is past it so is the end: an
// unknown word costs a few short rows per keyword.
std::size_t distanza(std::string_view a, std::string_view b, std::size_t tetto) {
    const std::size_t oltre = tetto + 1;
    if ((a.size() > b.size() ? a.size() - b.size() : b.size() - a.size()) > tetto) return oltre;
    // riga[j]: the distance of a's first i characters from b's first j, capped at `oltre`. Cells
    // off the band are past the cap by their place alone and read as `oltre`.
    std::vector<std::size_t> riga(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) riga[j] = std::min(j, oltre);
    for (std::size_t i = 1; i <= a.size(); ++i) {
        const std::size_t da = i > tetto ? i - tetto : 1;
        const std::size_t fino = std::min(b.size(), i + tetto);
        std::size_t diagonale = riga[da - 1];
        riga[da - 1] = da == 1 ? std::min(i, oltre) : oltre;
        std::size_t minimo = riga[da - 1];
        for (std::size_t j = da; j <= fino; ++j) {
            const std::size_t sopra = riga[j];
            const std::size_t costo = a[i - 1] == b[j - 1] ? 0 : 1;
            riga[j] = std::min({sopra + 1, riga[j - 1] + 1, diagonale + costo, oltre});
            diagonale = sopra;
            minimo = std::min(minimo, riga[j]);
        }
        if (minimo == oltre) return oltre;
    }
    return riga[b.size()];
}

}  // namespace

const forma_record* riconosci_record(parte_sorgente parte, std::string_view p, bool con_geometria) {
    switch (parte) {
        case parte_sorgente::intestazione_linea:
            if (ci(p, "percorso") && ci(p, "lunghezza")) return &lunghezza;
            if (esatto(p, "progressiva") &&
                (esatto(p, "tre") || esatto(p, "due") || esatto(p, "uno"))) {
                return &progressiva;
            }
            if (esatto(p, "sfondo") && (esatto(p, "uno") || esatto(p, "due") || esatto(p, "tre")))
                return &sfondo;
            if (esatto(p, "segnali") && esatto(p, "ripetizione")) return &ripetizione;
            return nullptr;
        case parte_sorgente::caratteristiche_linea:
            if (ci(p, "pendenza")) return &pendenza;
            if (con_geometria && ci(p, "curva")) return &curva;
            if (ci(p, "montagna")) return &montagna;
            if (ci(p, "indicatori_v")) return &indicatori;
            if (ci(p, "cartello") && ci(p, "indicat")) return &cartello;
            return nullptr;
        case parte_sorgente::treno:
            if (ci(p, "frenata") && ci(p, "massa")) return &massa;
            if (ci(p, "vetture")) return &vetture;
            if (ci(p, "velocit")) return &velocita;
            if (ci(p, "aderenza")) return &aderenza;
            if (ci(p, "orologio")) return &orologio;
            if (ci(p, "sabbia")) return &sabbia;
            if (ci(p, "segnale")) return &segnale;
            if (ci(p, "rallentamento")) return &rallentamento;
            if (ci(p, "abbattimento")) return &abbattimento;
            if (ci(p, "stazione")) return &stazione;
            return nullptr;
    }
    return nullptr;
}

bool parola_curva(std::string_view parola) { return ci(parola, "curva"); }

bool intestazione_sezione(std::string_view parola) {
    std::size_t primo = parola.find_first_not_of(' ');
    bool commento = primo != std::string_view::npos && parola[primo] == '-';
    return esatto(parola, "[") && esatto(parola, "]") && !commento;
}

bool sezione_nota(parte_sorgente parte, std::string_view parola) {
    const auto& sezioni = parte == parte_sorgente::treno ? sezioni_treno : sezioni_linea;
    std::string m = minuscole(parola);
    return std::any_of(sezioni.begin(), sezioni.end(),
                       [&m](const std::string& s) { return m.find(s) != std::string::npos; });
}

std::optional<std::string> parola_vicina(parte_sorgente parte, std::string_view parola) {
    std::vector<std::string> candidate;
    switch (parte) {
        case parte_sorgente::intestazione_linea:
            candidate = parole_intestazione;
            break;
        case parte_sorgente::caratteristiche_linea: {
            candidate = parole_caratteristiche;
            // A curve keyword carries its class: compare with both sides of the same class.
            char classe = '4';
            for (char c : parola) {
                if (c >= '1' && c <= '6') {
                    classe = c;
                    break;
                }
            }
            candidate.push_back(std::string("curvas") + classe);
            candidate.push_back(std::string("curvad") + classe);
            break;
        }
        case parte_sorgente::treno:
            candidate = parole_treno;
            break;
    }
    const std::string m = minuscole(parola);
    const std::size_t tetto = std::max<std::size_t>(1, m.size() / 4);
    std::optional<std::string> trovata;
    std::size_t migliore = tetto + 1;
    bool pari = false;
    for (const std::string& c : candidate) {
        std::size_t d = distanza(m, c, tetto);
        if (d < migliore) {
            migliore = d;
            trovata = c;
            pari = false;
        } else if (d == migliore && d <= tetto) {
            pari = true;
        }
    }
    // "curvas4" and "curvad4" are both one letter from "curva4": any curve will do.
    if (pari && trovata && parola_curva(*trovata)) return std::string("curvas") + trovata->back();
    if (pari || !trovata || migliore > tetto) return std::nullopt;
    return trovata;
}

}  // namespace scenario
