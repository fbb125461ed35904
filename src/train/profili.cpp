#include "model/numeri.h"
#include "train/lettura_treno.h"
#include "verifica/sorveglianza.h"

// The speed-limit and adhesion profiles: each row gives the value from its own cell onward, so
// the cells from the previous row's cell up to this row's receive the previous row's value.
namespace scenario::treno {

namespace {

// Cells keep km/h / 5; a speed outside -2..1277 km/h does not fit and is a fault.
std::uint8_t velocita_cella(std::int32_t kmh) {
    return arrotonda<std::uint8_t>(kmh / 5.0, "velocita / 5");
}

std::int32_t cella_profilo(std::int32_t posizione) {
    return arrotonda<std::int32_t>(posizione / 50.0, "cella del profilo");
}

}  // namespace

// The loop tests its end after writing: a row that does not advance still writes one cell.
esito_lettura leggi_velocita(lettura& l) {
    std::int32_t posizione = l.lettore.leggi<std::int32_t>();
    std::int32_t velocita = l.lettore.leggi<std::int32_t>();
    if (!entro_percorso(l, posizione, 100)) return esito_lettura::fine_lettura;
    avvisa_passo_5(l.stato, l.lettore, 1, velocita);
    std::int32_t fino_a = cella_profilo(posizione);
    if (fino_a > 0 && l.cursore_velocita < l.stato.ultima_cella) {
        // One value for the whole stretch, converted (and its range checked) once.
        const std::uint8_t valore = velocita_cella(l.velocita_precedente);
        do {
            l.stato.percorso[l.cursore_velocita].velocita = valore;
            ++l.cursore_velocita;
        } while (l.cursore_velocita < fino_a && l.cursore_velocita < l.stato.ultima_cella);
    }
    l.velocita_precedente = velocita;
    return esito_lettura::prosegui;
}

// No stop at the last cell here: the position check keeps the row's cell within the array, and
// rows that push the cursor past it meet the checked array.
esito_lettura leggi_aderenza(lettura& l) {
    std::int32_t posizione = l.lettore.leggi<std::int32_t>();
    std::int32_t valore = l.lettore.leggi<std::int32_t>();
    if (!entro_percorso(l, posizione, 100)) return esito_lettura::fine_lettura;
    avvisa_valore(l.stato, l.lettore, 1, valore, basso8(valore), "the cells keep it in 8 bits");
    std::int32_t fino_a = cella_profilo(posizione);
    if (fino_a > 0) {
        do {
            l.stato.percorso[l.cursore_aderenza].aderenza = basso8(l.aderenza_precedente);
            ++l.cursore_aderenza;
        } while (l.cursore_aderenza < fino_a);
    }
    l.aderenza_precedente = valore;
    return esito_lettura::prosegui;
}

// The last three cells keep 0 unless a row reached them.
void completa_profili(lettura& l) {
    const std::int32_t limite = l.stato.ultima_cella - 2;
    const std::uint8_t velocita = velocita_cella(l.velocita_precedente);
    const std::uint8_t aderenza = basso8(l.aderenza_precedente);
    do {
        l.stato.percorso[l.cursore_velocita].velocita = velocita;
        ++l.cursore_velocita;
    } while (l.cursore_velocita < limite);
    do {
        l.stato.percorso[l.cursore_aderenza].aderenza = aderenza;
        ++l.cursore_aderenza;
    } while (l.cursore_aderenza < limite);
}

}  // namespace scenario::treno
