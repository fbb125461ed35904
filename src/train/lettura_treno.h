#pragma once

#include <cstdint>

#include "model/stato_run.h"
#include "textfile/lettore_campi.h"
#include "textfile/lettura_sorgente.h"

// The pieces of the train reader shared by its files; only lettore_treno.h is for other callers.
namespace scenario::treno {

// One reading of the train source. The cursors only move forward, so a later profile row never
// rewrites cells an earlier row has written.
struct lettura {
    stato_run& stato;
    lettore_campi lettore;
    std::int32_t prossimo_cartello;  // next free board-text index left by the line reader
    std::int32_t cursore_velocita = 0;
    std::int32_t velocita_precedente = 0;
    std::int32_t cursore_aderenza = 0;
    std::int32_t aderenza_precedente = 0;
    std::int32_t stazione = 1;  // `punti` index of the next station
};

// Whether `ultima_cella` >= (posizione + margine) / 50; otherwise records code 15 with the
// position. Rows use a margin of 100 m, stations 800 m.
bool entro_percorso(lettura& l, std::int32_t posizione, std::int32_t margine);

// "[generale]" records.
void leggi_massa_frenata(lettura& l);
void leggi_vetture(lettura& l);
void leggi_orologio(lettura& l);
void leggi_sabbia(lettura& l);

// Profiles: each row fills the cells up to its own with the previous row's value.
esito_lettura leggi_velocita(lettura& l);
esito_lettura leggi_aderenza(lettura& l);
// The last row's value up to cell `ultima_cella` - 3; at least one cell each.
void completa_profili(lettura& l);

// Features.
esito_lettura leggi_segnale(lettura& l);
esito_lettura leggi_rallentamento(lettura& l);
esito_lettura leggi_abbattimento(lettura& l);
esito_lettura leggi_stazione(lettura& l);

}  // namespace scenario::treno
