#include "documents/riga_orario.h"

#include <array>
#include <stdexcept>

namespace scenario {

namespace {

// Widths of the seven cells: Vel. Lim., Vel. Marc., Progr Km, No Rs, Localita', Orario, Rec.
constexpr std::array<std::size_t, 7> larghezze = {5, 5, 10, 5, 28, 16, 5};

// Characters, not bytes: "°" takes two bytes in UTF-8 but one column on the card.
std::size_t caratteri(const std::string& testo) {
    std::size_t n = 0;
    for (char c : testo) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
    }
    return n;
}

void controlla_larghezza(const std::string& testo, std::size_t larghezza) {
    if (caratteri(testo) > larghezza) {
        throw std::logic_error("\"" + testo + "\" non entra in " + std::to_string(larghezza) +
                               " caratteri della scheda");
    }
}

std::string a_sinistra(const std::string& testo, std::size_t larghezza) {
    controlla_larghezza(testo, larghezza);
    return testo + std::string(larghezza - caratteri(testo), ' ');
}

std::string a_destra(const std::string& testo, std::size_t larghezza) {
    controlla_larghezza(testo, larghezza);
    return std::string(larghezza - caratteri(testo), ' ') + testo;
}

// Right-aligned in all but the last character, which stays blank.
std::string numero_in_cella(const std::string& testo, std::size_t larghezza) {
    return a_destra(testo, larghezza - 1) + " ";
}

std::string testo_progressiva(std::int32_t metri) {
    std::string decimali = std::to_string(metri % 1000);
    return std::to_string(metri / 1000) + "." + std::string(3 - decimali.size(), '0') + decimali;
}

// Tenths of a minute, printed without a decimal part when whole: "1.5", "1", "0.5".
std::string testo_recupero(std::int32_t decimi) {
    std::string testo = std::to_string(decimi / 10);
    if (decimi % 10 != 0) testo += "." + std::to_string(decimi % 10);
    return testo;
}

std::string incornicia(const std::array<std::string, 7>& celle) {
    std::string riga = " |";
    for (std::size_t n = 0; n < celle.size(); ++n) {
        if (caratteri(celle[n]) != larghezze[n]) {
            throw std::logic_error("cella " + std::to_string(n + 1) + " della scheda fuori misura");
        }
        riga += celle[n] + "|";
    }
    return riga;
}

std::string vuota(std::size_t n) { return std::string(larghezze[n], ' '); }

}  // namespace

std::string testo_ora(std::int32_t minuti) {
    std::string mm = std::to_string(minuti % 60);
    return std::to_string(minuti / 60) + "." + std::string(2 - mm.size(), '0') + mm;
}

std::string cella_orario(forma_orario forma, std::int32_t primo, std::int32_t secondo) {
    constexpr std::size_t larghezza = 16;
    switch (forma) {
        case forma_orario::vuoto:
            return std::string(larghezza, ' ');
        case forma_orario::arrivo_partenza:
            return a_sinistra(" " + testo_ora(primo), 9) + " " + a_sinistra(testo_ora(secondo), 5) +
                   " ";
        case forma_orario::unico:
            return a_destra(testo_ora(primo), 10) + std::string(6, ' ');
        case forma_orario::capolinea:
            return std::string(10, ' ') + a_sinistra(testo_ora(primo), 5) + " ";
        case forma_orario::trattino_bivio:
            return a_sinistra(std::string(8, ' ') + "-", larghezza);
        case forma_orario::trattino_km:
            return a_sinistra(std::string(7, ' ') + "-", larghezza);
    }
    throw std::logic_error("forma dell'orario sconosciuta");
}

std::string riga_tabella_orario(const riga_orario& riga) {
    return incornicia({
        riga.velocita_limite == 0
            ? vuota(0)
            : numero_in_cella(std::to_string(riga.velocita_limite), larghezze[0]),
        vuota(1),
        a_destra(testo_progressiva(riga.progressiva), larghezze[2] - 1) +
            (riga.fine_progressiva ? "/" : " "),
        vuota(3),
        a_sinistra(riga.localita, larghezze[4]),
        cella_orario(riga.forma, riga.primo_orario, riga.secondo_orario),
        riga.recupero == 0 ? vuota(6)
                           : numero_in_cella(testo_recupero(riga.recupero), larghezze[6]),
    });
}

std::string riga_tabella_vuota() {
    return incornicia({vuota(0), vuota(1), vuota(2), vuota(3), vuota(4), vuota(5), vuota(6)});
}

}  // namespace scenario
