#include "train/segnali.h"

#include "model/numeri.h"
#include "train/lettura_treno.h"
#include "verifica/sorveglianza.h"

namespace scenario {

void memo_segnale(stato_run& stato, riga_segnale& s) {
    const std::int32_t c = arrotonda<std::int32_t>(s.posizione / 50.0 + 1, "cella del segnale");
    cella& segnale = stato.percorso[c];
    if (!libera(segnale)) {
        cella_occupata(stato, c);
        registra_errore(stato, 16);
        return;
    }
    annota_cella(stato, c, "signal");
    // The cell members are 16 and 8 bits wide: the sums wrap in that width.
    const long long lato_sinistro = static_cast<long long>(s.sx) * 3 + s.dx;
    segnale.tipo = tipo_cella::segnale;
    segnale.dato4 = basso16(static_cast<long long>(s.rapp) * 10 + lato_sinistro);
    segnale.dato1 = basso16(static_cast<long long>(s.s1) * 10 + s.d1);
    segnale.dato2 = basso16(static_cast<long long>(s.s2) * 10 + s.d2);
    segnale.dato3 = basso16(static_cast<long long>(s.s3) * 10 + s.d3);
    if (s.tempo >= 1 && s.tempo <= 100) s.tempo = 101;
    segnale.tempo = s.sx == 2 ? basso8(s.tempo) : std::uint8_t{0};
    for (stato.passo = 1; stato.passo <= 4; ++stato.passo) {
        stato.percorso[static_cast<long long>(c) - 2LL * stato.passo].preavviso =
            basso8(lato_sinistro * 10 + stato.passo);
    }
}

namespace treno {

// A signal row ends the reading on any recorded code, also one the line reader left behind.
esito_lettura leggi_segnale(lettura& l) {
    riga_segnale s;
    for (std::int32_t* campo : {&s.posizione, &s.sx, &s.s1, &s.s2, &s.s3, &s.rapp, &s.dx, &s.d1,
                                &s.d2, &s.d3, &s.tempo}) {
        *campo = l.lettore.leggi<std::int32_t>();
    }
    if (!entro_percorso(l, s.posizione, 100)) return esito_lettura::fine_lettura;
    if (s.sx == 2) {
        const long long tempo = s.tempo >= 1 && s.tempo <= 100 ? 101 : s.tempo;
        avvisa_valore(l.stato, l.lettore, 10, tempo, basso8(tempo), "the cell keeps it in 8 bits");
    }
    memo_segnale(l.stato, s);
    if (l.stato.codice_errore > 0) {
        registra_errore(l.stato, l.stato.codice_errore, s.posizione);
        return esito_lettura::abbandona;
    }
    return esito_lettura::prosegui;
}

}  // namespace treno

}  // namespace scenario
