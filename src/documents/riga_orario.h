#pragma once

#include <cstdint>
#include <string>

namespace scenario {

// The Orario cell of a timetable row. Each layout puts its times at fixed positions of the
// 16-character cell so that the columns of times line up down the card.
enum class forma_orario {
    vuoto,            // no time
    arrivo_partenza,  // arrival from position 1, departure from position 10
    unico,            // one passing or stop time ending at position 9
    capolinea,        // the terminal's arrival from position 10
    trattino_bivio,   // "-" at position 8: switch rows after the junction
    trattino_km,      // "-" at position 7: kilometre rows
};

// Minutes after midnight; the card shows them as hours "." minutes.
constexpr std::int32_t ora_minuti(std::int32_t ore, std::int32_t minuti) {
    return ore * 60 + minuti;
}

// One timetable row of the card, in the units it is printed in.
struct riga_orario {
    std::int32_t velocita_limite = 0;  // km/h from this point on; 0 = unchanged, left blank
    std::int32_t progressiva = 0;      // chainage in metres
    bool fine_progressiva = false;     // last row of a chainage system: the next restarts from 0
    std::string localita;              // UTF-8; padded by characters, not bytes
    forma_orario forma = forma_orario::vuoto;
    std::int32_t primo_orario = 0;    // minutes after midnight: arrival, or the only time
    std::int32_t secondo_orario = 0;  // minutes after midnight: departure
    std::int32_t recupero = 0;        // recovery margin in tenths of a minute; 0 = none
};

// "9.12", "10.00".
std::string testo_ora(std::int32_t minuti);

// The 16-character Orario cell.
std::string cella_orario(forma_orario forma, std::int32_t primo, std::int32_t secondo);

// " |" and the seven cells, each closed by "|": 83 characters. A text wider than its cell is a
// std::logic_error, since it would shift the frame of every column to its right.
std::string riga_tabella_orario(const riga_orario& riga);

// The framed row with every cell blank.
std::string riga_tabella_vuota();

}  // namespace scenario
