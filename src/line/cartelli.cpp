#include "line/cartelli.h"

#include <utility>

#include "model/guasto.h"
#include "model/numeri.h"
#include "verifica/sorveglianza.h"

namespace scenario {

namespace {

std::int32_t cella_cartello(std::int32_t posizione) {
    return arrotonda<std::int32_t>(posizione / 50.0 + 1.0, "cella del cartello");
}

// With speeds that are multiples of 5 this is 100·(s / 5) + d / 5.
std::int16_t coppia_velocita(std::int32_t velocita_s, std::int32_t velocita_d) {
    return arrotonda<std::int16_t>(prodotto32(velocita_s, 20) + velocita_d / 5.0,
                                   "velocita dell'indicatore");
}

}  // namespace

void memo_indicatori_v_max(stato_run& stato, const riga_indicatori_v_max& r) {
    const std::int32_t n = cella_cartello(r.posizione);
    cella& c = stato.percorso[n];
    if (!libera(c)) {
        cella_occupata(stato, n);
        registra_errore(stato, 21);
        return;
    }
    annota_cella(stato, n, "maximum-speed board");
    // Member by member, in the row's order: a speed that overflows stops the compiler with what
    // came before it already in the cell, as a signal below 325 m keeps its cell.
    c.tipo = tipo_cella::indicatore_v_max;
    c.dato1 = coppia_velocita(r.vas, r.vad);
    c.dato2 = coppia_velocita(r.vbs, r.vbd);
    c.dato3 = coppia_velocita(r.vcs, r.vcd);
    c.dato4 = basso16(static_cast<long long>(r.strisces) * 10 + r.strisced);
}

bool memo_cartello_indicatore(stato_run& stato, std::int32_t posizione, const std::string& testo,
                              std::int32_t& indice) {
    const std::int32_t n = cella_cartello(posizione);
    cella& c = stato.percorso[n];
    if (!libera(c)) {
        cella_occupata(stato, n);
        return false;
    }
    // Index 0 is never used; below it the board texts would run out of the table.
    if (indice < 1) {
        throw guasto_esecuzione("troppi cartelli indicatori: nessun indice libero in punti per \"" +
                                testo + "\"");
    }
    std::string nome = nome_ammesso(testo);
    c.tipo = tipo_cella::cartello_indicazione;
    annota_cella(stato, n, "indication board");
    c.dato1 = stretto<std::int16_t>(indice, "indice del cartello");
    stato.punti[indice].nome = std::move(nome);
    indice -= 1;
    return true;
}

}  // namespace scenario
