#pragma once

#include <cstddef>
#include <cstdint>

#include "model/punto.h"

// The layouts of the three binary files, in one place: the writer (scrittura_formato.h) and the
// reader (lettura_formato.h) both take every size and offset from here, and so does anyone else
// who needs one. docs/formats.md describes the same layouts for the people on the loader's side.
namespace scenario::formato {

// ---- The line length, which fixes the size of the track cells and of the geometry. ----

// The longest line a source may declare, in metres.
inline constexpr std::int32_t lunghezza_massima = 1000000;
// The cells and the geometry run this far beyond the line's end.
inline constexpr std::int32_t metri_oltre_la_fine = 7000;
inline constexpr std::int32_t metri_per_cella = 50;
// The shortest line that still leaves cell 1 for the stamps: (26 m + 7000) / 50 rounds to 1.
inline constexpr std::int32_t lunghezza_minima = 26 - metri_oltre_la_fine;

// The number of cells (cell 0 to ultima_cella) for a line length from lunghezza_minima to
// lunghezza_massima: (length + 7000) / 50 rounded to the nearest integer, halves to even, plus
// cell 0.
constexpr std::size_t celle_per_lunghezza(std::int32_t lunghezza) {
    auto estesa = static_cast<std::size_t>(lunghezza + metri_oltre_la_fine);
    auto per_cella = static_cast<std::size_t>(metri_per_cella);
    std::size_t ultima = estesa / per_cella;
    std::size_t resto = estesa % per_cella;
    if (2 * resto > per_cella || (2 * resto == per_cella && ultima % 2 == 1)) ++ultima;
    return ultima + 1;
}

// The number of metres of the geometry (metre 0 to length + 7000) for a line length.
constexpr std::size_t metri_per_lunghezza(std::int32_t lunghezza) {
    return static_cast<std::size_t>(lunghezza + metri_oltre_la_fine) + 1;
}

// ---- Track cells (".dat"): one fixed-size record per cell, cell 0 first. ----

inline constexpr std::size_t byte_cella = 15;

// Where each member of a cell record begins, from the start of the record.
namespace in_cella {
inline constexpr std::size_t tipo = 0;
inline constexpr std::size_t dato1 = 1;
inline constexpr std::size_t dato2 = 3;
inline constexpr std::size_t dato3 = 5;
inline constexpr std::size_t dato4 = 7;
inline constexpr std::size_t tempo = 9;
inline constexpr std::size_t preavviso = 10;
inline constexpr std::size_t montagna = 11;
inline constexpr std::size_t velocita = 12;
inline constexpr std::size_t pendenza = 13;
inline constexpr std::size_t aderenza = 14;
}  // namespace in_cella

// The byte where cell n begins in the file; also the size of a file of n cells.
constexpr std::size_t inizio_cella(std::size_t n) { return n * byte_cella; }

// ---- Record table (".sim"): 87 records of 34 bytes plus their name, no fixed stride. ----

inline constexpr std::size_t byte_punto_senza_nome = 34;

// Where each member begins, from the start of the record; the members after `nome` are counted
// from the end of the name.
namespace in_punto {
inline constexpr std::size_t tipo = 0;
inline constexpr std::size_t inizio = 1;
inline constexpr std::size_t fine = 5;
inline constexpr std::size_t posizione = 9;
inline constexpr std::size_t voce_4 = 13;
inline constexpr std::size_t lunghezza_nome = 14;
inline constexpr std::size_t nome = 16;
namespace dopo_nome {
inline constexpr std::size_t voce_7 = 0;
inline constexpr std::size_t voce_8 = 2;
inline constexpr std::size_t voce_10 = 4;
inline constexpr std::size_t voce_11 = 6;
inline constexpr std::size_t voce_12 = 8;
inline constexpr std::size_t voce_9 = 10;
inline constexpr std::size_t voce_13 = 11;
inline constexpr std::size_t voce_6 = 12;
inline constexpr std::size_t voce_5 = 13;
inline constexpr std::size_t orario = 14;
}  // namespace dopo_nome
}  // namespace in_punto

// The size of a record whose name is `lunghezza_nome` bytes long.
constexpr std::size_t byte_punto(std::size_t lunghezza_nome) {
    return byte_punto_senza_nome + lunghezza_nome;
}

// ---- Line geometry ("_linea.dat"): component 0 for every metre, then component 1. ----

// The type code that opens each element; it tells how many bytes of value follow.
enum class codice_elemento : std::uint16_t {
    vuoto = 0,   // no value
    intero = 2,  // i16
    reale = 5,   // f64
};

inline constexpr std::size_t byte_codice_elemento = 2;
inline constexpr std::size_t byte_elemento_massimo = 10;

constexpr std::size_t byte_elemento(codice_elemento codice) {
    switch (codice) {
        case codice_elemento::vuoto:
            return byte_codice_elemento;
        case codice_elemento::intero:
            return byte_codice_elemento + 2;
        case codice_elemento::reale:
            return byte_codice_elemento + 8;
    }
    return byte_codice_elemento;
}

// ---- The largest file of each kind a compilation can write: what a reader accepts. ----

inline constexpr std::size_t byte_celle_massimo =
    inizio_cella(celle_per_lunghezza(lunghezza_massima));
inline constexpr std::size_t byte_punti_massimo =
    static_cast<std::size_t>(indice_punti::numero) * byte_punto(nome_massimo);
inline constexpr std::size_t byte_geometria_massimo =
    2 * metri_per_lunghezza(lunghezza_massima) * byte_elemento_massimo;

}  // namespace scenario::formato
