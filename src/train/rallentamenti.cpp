#include "train/rallentamenti.h"

#include "model/numeri.h"
#include "train/lettura_treno.h"
#include "verifica/sorveglianza.h"

namespace scenario {

namespace {

std::int32_t cella_vicina(double z) {
    return arrotonda<std::int32_t>(z, "cella del rallentamento");
}

void scrivi_d_v(cella& c, std::int32_t d_v) {
    if (d_v != 0) c.dato2 = basso16(d_v);
}

}  // namespace

void memo_rallentamento(stato_run& stato, const riga_rallentamento& r) {
    // Too close to the start of the line for a warning board: no board, no approach cells.
    const bool con_avviso = r.x > 1500;
    const std::int32_t f_ta = con_avviso ? r.f_ta : 0;

    std::int32_t w = 0;
    if (con_avviso) {
        w = cella_vicina(differenza32(r.x, 1200) / 50.0 + 1);
        if (!libera(stato.percorso[w])) {
            cella_occupata(stato, w);
            registra_errore(stato, 17);
            return;
        }
    }
    const std::int32_t s = cella_vicina(r.x / 50.0 + 1);
    if (!libera(stato.percorso[s])) {
        cella_occupata(stato, s);
        registra_errore(stato, 18);
        return;
    }
    const std::int32_t e = cella_vicina(somma32(r.x, r.l) / 50.0 + 1);
    if (!libera(stato.percorso[e])) {
        cella_occupata(stato, e);
        registra_errore(stato, 19);
        return;
    }

    stato.percorso[e].tipo = tipo_cella::fine_rallentamento;
    annota_cella(stato, e, "slowdown end");
    annota_cella(stato, s, "slowdown start");
    if (con_avviso) annota_cella(stato, w, "slowdown warning board");
    scrivi_d_v(stato.percorso[e], r.d_v);
    stato.percorso[s].tipo = tipo_cella::inizio_rallentamento;
    scrivi_d_v(stato.percorso[s], r.d_v);
    if (con_avviso) {
        cella& avviso = stato.percorso[w];
        avviso.tipo = tipo_cella::avviso_rallentamento;
        scrivi_d_v(avviso, r.d_v);
        avviso.dato1 = basso16(r.v);
    }
    for (std::int32_t n : {s, e}) {
        stato.percorso[n].dato1 = basso16(r.v);
        stato.percorso[n].dato3 = basso16(r.f_tt);
    }

    stato.indice = cella_vicina(differenza32(r.x, 1200) / 50.0);
    if (f_ta == 0) return;
    const long long h = stato.indice;
    for (long long n = h; n > h - 4; --n) {
        if (!libera(stato.percorso[n])) {
            cella_occupata(stato, static_cast<std::int32_t>(n));
            registra_errore(stato, 20);
            return;
        }
    }
    for (std::int32_t distanza = 1; distanza <= 4; ++distanza) {
        cella& c = stato.percorso[h - distanza + 1];
        c.tipo = tipo_cella::preavviso_avviso;
        annota_cella(stato, static_cast<std::int32_t>(h - distanza + 1),
                     "approach mark of a slowdown warning board");
        c.dato1 = basso16(distanza);
        if (r.d_v != 0) c.dato2 = basso16(distanza);
    }
}

namespace treno {

esito_lettura leggi_rallentamento(lettura& l) {
    riga_rallentamento r;
    for (std::int32_t* campo : {&r.x, &r.v, &r.l, &r.f_tt, &r.f_ta, &r.d_v}) {
        *campo = l.lettore.leggi<std::int32_t>();
    }
    if (!entro_percorso(l, r.x, 100)) return esito_lettura::fine_lettura;
    memo_rallentamento(l.stato, r);
    if (l.stato.codice_errore > 0) {
        registra_errore(l.stato, l.stato.codice_errore, r.x);
        return esito_lettura::abbandona;
    }
    return esito_lettura::prosegui;
}

}  // namespace treno

}  // namespace scenario
