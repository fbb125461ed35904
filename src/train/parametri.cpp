#include "train/lettura_treno.h"

// The "[generale]" records: taken as read, a record given twice keeps the last value.
namespace scenario::treno {

void leggi_massa_frenata(lettura& l) {
    l.stato.punti[indice_punti::treno].inizio = l.lettore.leggi<std::int32_t>();
}

void leggi_vetture(lettura& l) {
    l.stato.punti[indice_punti::treno].posizione = l.lettore.leggi<std::int32_t>();
}

void leggi_orologio(lettura& l) {
    punto& p = l.stato.punti[indice_punti::ripetizione];
    p.voce_10 = l.lettore.leggi<std::int16_t>();
    p.voce_11 = l.lettore.leggi<std::int16_t>();
    p.voce_12 = l.lettore.leggi<std::int16_t>();
}

void leggi_sabbia(lettura& l) {
    l.stato.punti[indice_punti::ripetizione].voce_7 = l.lettore.leggi<std::int16_t>();
}

}  // namespace scenario::treno
