#pragma once

// What stands along the line, taken from the compiled files once, for the two pictures of the
// tool: the static page of `render` and the live page of `serve`.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tool/scenario_compilato.h"

namespace scenario::strumento {

// The values a signal cell stores, unpacked as they were packed: dato1..dato3 hold s·10 + d,
// dato4 holds rapp·10 + sx·3 + dx. Values outside one digit do not come back apart; the packed
// members travel with them.
struct segnale_linea {
    std::int64_t metro = 0;
    std::size_t cella = 0;
    int sx = 0, s1 = 0, s2 = 0, s3 = 0, rapp = 0, dx = 0, d1 = 0, d2 = 0, d3 = 0, tempo = 0;
};

// A maximum-speed board: for each category A, B, C the speed of the "s" set and of the "d" set
// in km/h, and the two stripe counts.
struct cartello_velocita {
    std::int64_t metro = 0;
    std::size_t cella = 0;
    std::array<int, 3> sinistra{};
    std::array<int, 3> destra{};
    int strisce_s = 0, strisce_d = 0;
};

struct cartello_testo {
    std::int64_t metro = 0;
    std::size_t cella = 0;
    std::string testo;  // UTF-8
};

struct punto_codice_linea {
    std::int64_t metro = 0;
    std::size_t cella = 0;
    int valore = 0;  // 0 for a null point
    bool nullo = false;
};

// A slowdown warning board and its speed.
struct avviso_linea {
    std::int64_t metro = 0;
    std::size_t cella = 0;
    int velocita = 0;
};

// A stretch where the geometry turns by the same amount every metre: class 1 to 6, side 's'
// (left) or 'd' (right), radius 1/k in metres.
struct curva_linea {
    std::int64_t inizio = 0;
    std::int64_t fine = 0;
    int classe = 0;
    char lato = 'd';
    double raggio = 0;
};

// Cells from `da` to `a` (included) that hold the same profile value.
struct tratto_celle {
    std::size_t da = 0;
    std::size_t a = 0;
    long long valore = 0;
};

struct stazione_linea {
    stazione base;
    int tipo = 0;
    std::int32_t orario = 0;  // seconds after midnight
};

struct sistema_progressiva {
    int indice = 0;  // record 81, 82 or 83
    std::int32_t inizio = 0;
    std::int32_t scostamento = 0;
};

struct elementi_linea {
    std::int32_t lunghezza = 0;
    std::vector<stazione_linea> stazioni;
    std::vector<segnale_linea> segnali;
    std::vector<cartello_velocita> cartelli_velocita;
    std::vector<cartello_testo> cartelli_testo;
    std::vector<punto_codice_linea> punti_codice;
    std::vector<avviso_linea> avvisi;
    std::vector<rallentamento> rallentamenti;
    std::vector<curva_linea> curve;
    std::vector<tratto_celle> pendenza;  // per mille (pendenza - 100)
    std::vector<tratto_celle> velocita;  // km/h (velocita * 5)
    std::vector<tratto_celle> aderenza;
    std::vector<tratto_celle> montagna;
    std::vector<sistema_progressiva> progressive;  // the systems in use, by start
    std::int32_t ripetizione_inizio = 0, ripetizione_fine = 0, ripetizione_codici = 0;
};

elementi_linea estrai_elementi(const scenario_compilato& s);

// Curve stretches found in the geometry, metres 0 to `ultimo`.
std::vector<curva_linea> curve_da_geometria(const profilo_linea& g, std::int64_t ultimo);

// "08:05:00" for a time of day in seconds.
std::string ora_del_giorno(std::int32_t secondi);

}  // namespace scenario::strumento
