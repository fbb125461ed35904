#include "verifica/forme_record.h"

#include <algorithm>
#include <array>
#include <iterator>

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

constexpr std::string_view parole_intestazione[] = {"lunghezza percorso",
                                                    "progressiva chilometrica uno",
                                                    "progressiva chilometrica due",
                                                    "progressiva chilometrica tre",
                                                    "sfondo uno",
                                                    "sfondo due",
                                                    "sfondo tre",
                                                    "ripetizione segnali 4 codici"};
constexpr std::string_view parole_caratteristiche[] = {"pendenza", "montagna", "indicatori_vmax",
                                                       "cartello_indicatore"};
constexpr std::string_view parole_treno[] = {"numero vetture", "percentuale massa frenata",
                                             "sabbia",         "orologio",
                                             "aderenza",       "velocita",
                                             "stazione",       "rallentamento",
                                             "segnale",        "abbattimento"};

// The longest keyword a word is compared with: the edit distance's row fits on the stack.
constexpr std::size_t parola_massima = 32;
template <std::size_t N>
constexpr bool entro_parola_massima(const std::string_view (&parole)[N]) {
    for (std::string_view p : parole) {
        if (p.size() > parola_massima) return false;
    }
    return true;
}
static_assert(entro_parola_massima(parole_intestazione) &&
              entro_parola_massima(parole_caratteristiche) && entro_parola_massima(parole_treno));

constexpr std::string_view sezioni_linea[] = {
    "[generale]", "[curve]", "[pendenze]", "[montagne]", "[cartelli]", "[indicazioni]", "[fine]"};
constexpr std::string_view sezioni_treno[] = {"[generale]", "[aderenze]",      "[vel_limite]",
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
// unknown word costs a few short rows per keyword. `b` is a keyword (parola_massima at most).
std::size_t distanza(std::string_view a, std::string_view b, std::size_t tetto) {
    const std::size_t oltre = tetto + 1;
    if ((a.size() > b.size() ? a.size() - b.size() : b.size() - a.size()) > tetto) return oltre;
    if (b.size() > parola_massima) return oltre;
    // riga[j]: the distance of a's first i characters from b's first j, capped at `oltre`. Cells
    // off the band are past the cap by their place alone and read as `oltre`.
    std::array<std::size_t, parola_massima + 1> riga{};
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
    const auto nota = [parola](std::string_view s) { return ci(parola, s); };
    if (parte == parte_sorgente::treno) {
        return std::any_of(std::begin(sezioni_treno), std::end(sezioni_treno), nota);
    }
    return std::any_of(std::begin(sezioni_linea), std::end(sezioni_linea), nota);
}

std::optional<std::string> parola_vicina(parte_sorgente parte, std::string_view parola) {
    const std::string m = minuscole(parola);
    const std::size_t tetto = std::max<std::size_t>(1, m.size() / 4);
    std::string_view trovata;
    std::size_t migliore = tetto + 1;
    bool pari = false;
    const auto confronta = [&](std::string_view c) {
        std::size_t d = distanza(m, c, tetto);
        if (d < migliore) {
            migliore = d;
            trovata = c;
            pari = false;
        } else if (d == migliore && d <= tetto) {
            pari = true;
        }
    };
    // A curve keyword carries its class: it is compared with both sides of the same class. Held
    // here, as `trovata` may end up pointing into them.
    char classe = '4';
    for (char c : parola) {
        if (c >= '1' && c <= '6') {
            classe = c;
            break;
        }
    }
    const std::array<char, 7> sinistra = {'c', 'u', 'r', 'v', 'a', 's', classe};
    const std::array<char, 7> destra = {'c', 'u', 'r', 'v', 'a', 'd', classe};
    switch (parte) {
        case parte_sorgente::intestazione_linea:
            for (std::string_view c : parole_intestazione) confronta(c);
            break;
        case parte_sorgente::caratteristiche_linea:
            for (std::string_view c : parole_caratteristiche) confronta(c);
            confronta({sinistra.data(), sinistra.size()});
            confronta({destra.data(), destra.size()});
            break;
        case parte_sorgente::treno:
            for (std::string_view c : parole_treno) confronta(c);
            break;
    }
    // "curvas4" and "curvad4" are both one letter from "curva4": any curve will do.
    if (pari && !trovata.empty() && parola_curva(trovata)) {
        return std::string("curvas") + trovata.back();
    }
    if (pari || trovata.empty() || migliore > tetto) return std::nullopt;
    return std::string(trovata);
}

}  // namespace scenario
