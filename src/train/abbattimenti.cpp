#include "model/numeri.h"
#include "train/lettura_treno.h"
#include "verifica/sorveglianza.h"

namespace scenario::treno {

// A cab-code point of the source ("abbattimento"). Unlike the signals it stands in cell
// nearest(position / 50), with no + 1. A code value of 0 or less marks the point without one.
esito_lettura leggi_abbattimento(lettura& l) {
    std::int32_t posizione = l.lettore.leggi<std::int32_t>();
    std::int32_t valore = l.lettore.leggi<std::int32_t>();
    if (!entro_percorso(l, posizione, 100)) return esito_lettura::fine_lettura;
    const std::int32_t n = arrotonda<std::int32_t>(posizione / 50.0, "cella del codice");
    cella& c = l.stato.percorso[n];
    if (!libera(c)) {
        cella_occupata(l.stato, n);
        registra_errore(l.stato, 7, posizione);
        return esito_lettura::abbandona;
    }
    annota_cella(l.stato, n, "cab-code point");
    if (valore > 0) avvisa_valore(l.stato, l.lettore, 1, valore, basso16(valore), "16 bits");
    if (valore > 0) {
        c.tipo = tipo_cella::punto_codice;
        c.dato1 = basso16(valore);
    } else {
        c.tipo = tipo_cella::punto_codice_nullo;
    }
    return esito_lettura::prosegui;
}

}  // namespace scenario::treno
