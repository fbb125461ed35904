#include "model/numeri.h"
#include "train/lettura_treno.h"
#include "verifica/sorveglianza.h"

namespace scenario::treno {

namespace {

// Kinds 5 and 6 have a zone from the station back over its length and a short tail, and no
// approach marks; 7 and 8 a zone of the length on both sides; the others one centred on the
// station, 50 m longer ahead when `voce_6` is set. Kinds 25 and above take no cell marks.
bool senza_preavvisi(std::uint8_t tipo) { return tipo == 5 || tipo == 6; }
bool con_fermata(std::uint8_t tipo) { return tipo < 25; }

void delimita_zona(punto& r, std::int32_t lunghezza) {
    switch (r.tipo) {
        case 5:
        case 6:
            r.inizio = differenza32(r.posizione, lunghezza);
            r.fine = somma32(r.posizione, 150);
            r.voce_6 = 0;
            break;
        case 7:
        case 8:
            r.inizio = differenza32(r.posizione, lunghezza);
            r.fine = somma32(r.posizione, lunghezza);
            r.voce_6 = 0;
            break;
        default: {
            const double meta = lunghezza / 2.0;
            const double coda = r.voce_6 != 0 ? 50.0 : 0.0;
            r.inizio = arrotonda<std::int32_t>(r.posizione - meta, "inizio della stazione");
            r.fine = arrotonda<std::int32_t>(r.posizione + meta + coda, "fine della stazione");
            break;
        }
    }
}

void leggi_campi(lettore_campi& lettore, punto& r) {
    r.voce_4 = lettore.leggi<std::uint8_t>();
    r.voce_5 = lettore.leggi<std::uint8_t>();
    r.voce_6 = lettore.leggi<std::uint8_t>();
    r.voce_7 = lettore.leggi<std::int16_t>();
    r.voce_8 = lettore.leggi<std::int16_t>();
    r.voce_9 = lettore.leggi<std::uint8_t>();
    r.voce_10 = lettore.leggi<std::int16_t>();
    r.voce_11 = lettore.leggi<std::int16_t>();
    r.voce_12 = lettore.leggi<std::int16_t>();
    r.voce_13 = lettore.leggi<std::uint8_t>();
    std::int32_t ore = lettore.leggi<std::int32_t>();
    std::int32_t minuti = lettore.leggi<std::int32_t>();
    std::int32_t secondi = lettore.leggi<std::int32_t>();
    r.orario = somma32(prodotto32(somma32(prodotto32(ore, 60), minuti), 60), secondi);
    r.nome = nome_ammesso(lettore.leggi_testo());
}

// Approach marks in the four cells before the stop mark, skipped where they would fall in
// cell 1 or before.
void segna_preavvisi(stato_run& stato, std::int32_t fine) {
    for (stato.k = 1; stato.k <= 4; ++stato.k) {
        const double z = fine / 50.0 - stato.k - 1;
        if (z > 1) {
            stato.percorso[arrotonda<std::int32_t>(z, "cella di preavviso")].preavviso =
                basso8(80 + stato.k);
        }
    }
}

}  // namespace

// A station fills `punti`(n) field by field: on an early end the entry keeps what was read.
esito_lettura leggi_stazione(lettura& l) {
    stato_run& stato = l.stato;
    const std::int32_t n = l.stazione;
    punto& r = stato.punti[n];

    r.posizione = l.lettore.leggi<std::int32_t>();
    if (!entro_percorso(l, r.posizione, 800)) return esito_lettura::fine_lettura;
    if (r.posizione % 50 != 0) {
        registra_errore(stato, 8, r.posizione);
        return esito_lettura::abbandona;
    }
    r.tipo = l.lettore.leggi<std::uint8_t>();
    const std::int32_t lunghezza = l.lettore.leggi<std::int32_t>();
    if (lunghezza % 100 != 0) {
        registra_errore(stato, 9, r.posizione);
        return esito_lettura::abbandona;
    }
    leggi_campi(l.lettore, r);

    delimita_zona(r, lunghezza);
    if (lunghezza < 600) r.voce_5 = 0;
    if (n == 1) {
        r.voce_5 = 0;
        r.voce_6 = 0;
    }

    if (con_fermata(r.tipo)) {
        if (!senza_preavvisi(r.tipo)) segna_preavvisi(stato, r.fine);
        const double fermata = r.fine / 50.0 - 1;
        if (fermata <= 1) {
            registra_errore(stato, 24);
            return esito_lettura::abbandona;
        }
        // Whatever the cell held is overwritten: the stop mark is not tested for being free.
        const std::int32_t cella_fermata = arrotonda<std::int32_t>(fermata, "cella di fermata");
        cella& c = stato.percorso[cella_fermata];
        annota_cella(stato, cella_fermata, "station stop mark");
        c.tipo = tipo_cella::fermata;
        c.dato1 = basso16(n);
    }

    if (n > 1 && differenza32(r.inizio, 350) < stato.punti[n - 1].fine) {
        registra_errore(stato, 22, r.posizione);
        return esito_lettura::abbandona;
    }
    // Stations grow upwards and board texts downwards in `punti`: they must not meet.
    l.stazione = n + 1;
    if (l.stazione >= l.prossimo_cartello) {
        registra_errore(stato, 10);
        return esito_lettura::abbandona;
    }
    return esito_lettura::prosegui;
}

}  // namespace scenario::treno
