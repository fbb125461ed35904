#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/cella.h"
#include "model/profilo_linea.h"
#include "model/punto.h"

namespace scenario::strumento {

// The three compiled files of one scenario, decoded.
struct scenario_compilato {
    std::string nome_scenario;
    std::string numero_treno;
    std::vector<cella> celle;
    std::vector<punto> punti;                // 87 records
    std::optional<profilo_linea> geometria;  // absent when compiled without the line geometry
};

struct stazione {
    int indice = 0;    // in the record table
    std::string nome;  // UTF-8
    std::int32_t posizione = 0;
    std::int32_t inizio = 0;
    std::int32_t fine = 0;
};

struct rallentamento {
    std::int32_t inizio = 0;  // metres
    std::int32_t fine = 0;
    std::int32_t velocita = 0;  // km/h
};

// Where the features of a cell stand along the line, in metres. The point features (signals,
// slowdowns, boards) are placed in cell p/50 + 1; the profiles (gradient, speed, adhesion,
// mountains) and the cab-code points in cell p/50.
std::int64_t metro_punto(std::size_t cella);
std::int64_t metro_profilo(std::size_t cella);

// The line length from record 84, or, when that does not fit the cells, the length the cells
// cover less the 7000 m run-off; at least 50 m.
std::int32_t lunghezza_linea(const scenario_compilato& s);

// Station entries from index 1 up to the first empty record.
std::vector<stazione> stazioni(const std::vector<punto>& punti);

// Each start of a slowdown (tipo 3) with the end (tipo 2) that follows it.
std::vector<rallentamento> rallentamenti(const std::vector<cella>& celle);

// The chainage shown at a line position, in metres: the position plus the offset of the
// chainage system in force there (records 81 to 83, largest start first); nullopt when the
// scenario defines none.
std::optional<std::int64_t> progressiva(const std::vector<punto>& punti, std::int32_t posizione);

}  // namespace scenario::strumento
