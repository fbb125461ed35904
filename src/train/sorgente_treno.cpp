#include "train/sorgente_treno.h"

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/nomi_file.h"
#include "textfile/scrittore_testo.h"

namespace scenario {

namespace {

// A number right-aligned in its column. A number wider than the column is written whole: the
// reader skips blanks, so only the look of the file changes.
std::string a_destra(std::int32_t valore, std::size_t larghezza) {
    std::string cifre = std::to_string(valore);
    if (cifre.size() >= larghezza) return cifre;
    return std::string(larghezza - cifre.size(), ' ') + cifre;
}

// Numbers in fixed columns, each column after a comma.
template <std::size_t N>
std::string colonne(const std::int32_t (&valori)[N], const std::size_t (&larghezze)[N]) {
    std::string testo;
    for (std::size_t n = 0; n < N; ++n) testo += "," + a_destra(valori[n], larghezze[n]);
    return testo;
}

struct voce_profilo {
    std::int32_t posizione;
    std::int32_t valore;
};

constexpr voce_profilo aderenze[] = {
    {0, 100}, {18500, 85}, {19500, 80}, {20000, 78}, {24000, 90},
};

constexpr voce_profilo velocita_limite[] = {
    {0, 30},     {800, 100},  {13150, 30}, {13600, 90}, {18700, 70}, {21000, 80}, {26700, 85},
    {29650, 80}, {31700, 85}, {35600, 80}, {39700, 70}, {44700, 85}, {50650, 65},
};

// Fields 1 to 16 of a station row, then the name (UTF-8 here, Windows-1252 on disk).
struct voce_stazione {
    std::int32_t campi[16];
    const char* nome;
};

// The columns of the first row:
//   "stazione,       0,  8,  400,  1, 0, 0,  4,1,0,  2,1,1,    1,   9,42, 0, LERNO"
constexpr std::size_t colonne_stazione[16] = {8, 3, 5, 3, 2, 2, 3, 1, 1, 3, 1, 1, 5, 4, 2, 2};

constexpr voce_stazione stazioni[] = {
    {{0, 8, 400, 1, 0, 0, 4, 1, 0, 2, 1, 1, 1, 9, 42, 0}, "LERNO"},
    {{5800, 25, 200, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}, "2° bivio LERNO NORD"},
    {{8400, 24, 300, 0, 0, 0, 0, 0, 0, 4, 1, 1, 145, 0, 0, 0}, "DORVANO"},
    {{13500, 22, 300, 0, 0, 0, 0, 0, 0, 4, 1, 1, 60, 10, 0, 0}, "CASTELBRUM"},
    {{19000, 24, 300, 0, 0, 0, 0, 0, 0, 4, 1, 1, 0, 0, 0, 0}, "GRUVICCANO"},
    {{20750, 27, 200, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "S. OLVANO"},
    {{29900, 24, 300, 0, 0, 0, 0, 0, 0, 4, 1, 1, 0, 0, 0, 0}, "GROTTE S. MERVIO"},
    {{40250, 24, 300, 0, 0, 0, 0, 0, 0, 4, 1, 1, 0, 0, 0, 0}, "MONTESCARNIO"},
    {{53000, 12, 400, 1, 0, 0, 1, 1, 0, 2, 1, 1, 0, 12, 0, 0}, "PUSENA P.F."},
};

// `posizione`, `sx`, `s1`, `s2`, `s3`, `rapp`, `dx`, `d1`, `d2`, `d3`, then `tempo` apart: it
// follows ", " whatever its width.
struct voce_segnale {
    std::int32_t campi[10];
    std::int32_t tempo;
};

// The columns of the first row:
//   "segnale,    1500,   1, 4, 0,  0, 0,    0,  0,0,0, 0"
constexpr std::size_t colonne_segnale[10] = {8, 4, 2, 2, 3, 2, 5, 3, 1, 1};

constexpr voce_segnale segnali[] = {
    {{1500, 1, 4, 0, 0, 0, 0, 0, 0, 0}, 0},  {{2800, 1, 4, 0, 0, 0, 0, 0, 0, 0}, 0},
    {{4150, 1, 4, 1, 0, 0, 2, 3, 1, 0}, 0},  {{5400, 2, 4, 1, 1, 0, 2, 2, 1, 1}, 0},
    {{6450, 1, 5, 1, 0, 0, 2, 3, 1, 0}, 0},  {{7500, 2, 3, 1, 0, 0, 2, 2, 1, 0}, 0},
    {{11400, 2, 3, 4, 0, 0, 2, 3, 1, 0}, 0}, {{12450, 2, 2, 3, 0, 0, 2, 2, 1, 0}, 0},
    {{16550, 1, 4, 1, 0, 0, 0, 0, 0, 0}, 0}, {{17800, 2, 4, 1, 0, 0, 0, 0, 0, 0}, 0},
    {{27800, 1, 3, 1, 0, 0, 0, 0, 0, 0}, 0}, {{29000, 2, 4, 1, 0, 0, 0, 0, 0, 0}, 255},
    {{38350, 1, 4, 1, 0, 0, 0, 0, 0, 0}, 0}, {{39400, 2, 4, 1, 0, 0, 0, 0, 0, 0}, 0},
    {{50550, 2, 3, 1, 0, 0, 0, 0, 0, 0}, 0}, {{51800, 2, 2, 3, 0, 0, 0, 0, 0, 0}, 210},
};

std::string riga_aderenza(const voce_profilo& v) {
    return "aderenza,   " + std::to_string(v.posizione) + ",    " + std::to_string(v.valore);
}

std::string riga_velocita(const voce_profilo& v) {
    return "velocita," + a_destra(v.posizione, 8) + "," + a_destra(v.valore, 6);
}

std::string riga_stazione(const voce_stazione& s) {
    return "stazione" + colonne(s.campi, colonne_stazione) + ", " + s.nome;
}

std::string riga_segnale(const voce_segnale& s) {
    return "segnale" + colonne(s.campi, colonne_segnale) + ", " + std::to_string(s.tempo);
}

}  // namespace

std::vector<std::string> elenco_sorgente_treno() {
    std::vector<std::string> righe = {
        "[generale]",
        "numero vetture,    6",
        "percentuale massa frenata,    105",
        "sabbia,    200",
        "orologio,    9               41            45 ",
        "[aderenze]",
    };
    for (const voce_profilo& v : aderenze) righe.push_back(riga_aderenza(v));
    righe.emplace_back("[vel_limite]");
    for (const voce_profilo& v : velocita_limite) righe.push_back(riga_velocita(v));
    righe.emplace_back("[stazioni]");
    for (const voce_stazione& s : stazioni) righe.push_back(riga_stazione(s));
    righe.emplace_back("[rallentamenti]");
    righe.emplace_back("rallentamento,   21400,    50,  300, 0,  1,  0");
    righe.emplace_back("[segnali]");
    for (const voce_segnale& s : segnali) righe.push_back(riga_segnale(s));
    righe.emplace_back("[codici]");
    righe.emplace_back("[fine]");
    return con_marcatore(std::move(righe));
}

void dati_treno(const stato_run& stato) {
    scrivi_file_testo(percorso_file(stato, nome_sorgente_treno(stato)), elenco_sorgente_treno());
}

}  // namespace scenario
