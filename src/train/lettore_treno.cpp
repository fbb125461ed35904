#include "train/lettore_treno.h"

#include <string>
#include <string_view>

#include "model/nomi_file.h"
#include "model/numeri.h"
#include "textfile/archivio_file.h"
#include "textfile/parole_chiave.h"
#include "train/lettura_treno.h"
#include "verifica/sorveglianza.h"

namespace scenario {

namespace treno {

bool entro_percorso(lettura& l, std::int32_t posizione, std::int32_t margine) {
    if (l.stato.ultima_cella >= somma32(posizione, margine) / 50.0) return true;
    registra_errore(l.stato, 15, posizione);
    return false;
}

}  // namespace treno

namespace {

using treno::lettura;

// Everything before "[generale]" is ignored; false when the file ends without it.
bool trova_generale(lettura& l) {
    do {
        leggi_parola_chiave(l.stato, l.lettore);
        if (contiene_senza_maiuscole(l.stato.riga, "[generale]")) return true;
    } while (!l.lettore.fine());
    return false;
}

// At most two comment fields in a row: a third is examined as a keyword.
constexpr int commenti_di_fila = 2;

// The ten tests, in this order, all on the same keyword field, each ignoring case: a field may
// select more than one.
esito_lettura esamina(lettura& l) {
    const std::string& riga = l.stato.riga;
    auto ha = [&riga](std::string_view parola) { return contiene_senza_maiuscole(riga, parola); };
    esito_lettura e = esito_lettura::prosegui;
    if (ha("frenata") && ha("massa")) treno::leggi_massa_frenata(l);
    if (ha("vetture")) treno::leggi_vetture(l);
    if (ha("velocit") && (e = treno::leggi_velocita(l)) != esito_lettura::prosegui) return e;
    if (ha("aderenza") && (e = treno::leggi_aderenza(l)) != esito_lettura::prosegui) return e;
    if (ha("orologio")) treno::leggi_orologio(l);
    if (ha("sabbia")) treno::leggi_sabbia(l);
    if (ha("segnale") && (e = treno::leggi_segnale(l)) != esito_lettura::prosegui) return e;
    if (ha("rallentamento") && (e = treno::leggi_rallentamento(l)) != esito_lettura::prosegui)
        return e;
    if (ha("abbattimento") && (e = treno::leggi_abbattimento(l)) != esito_lettura::prosegui)
        return e;
    if (ha("stazione") && (e = treno::leggi_stazione(l)) != esito_lettura::prosegui) return e;
    return esito_lettura::prosegui;
}

// The last field of the file is never examined: the file must end with a line carrying no record.
esito_lettura leggi_record(lettura& l) {
    while (!l.lettore.fine()) {
        leggi_parola_chiave(l.stato, l.lettore);
        if (l.lettore.fine()) break;
        if (!salta_commenti(l.stato, l.lettore, commenti_di_fila, true)) break;
        esito_lettura e = esamina_sorvegliato(l.stato, l.lettore, parte_sorgente::treno,
                                              [&l] { return esamina(l); });
        if (e != esito_lettura::prosegui) return e;
    }
    return esito_lettura::fine_lettura;
}

// The source is read whole into memory, so closing it is deleting it.
void chiudi(lettura& l) {
    archivio_di(l.stato).elimina(percorso_file(l.stato, nome_sorgente_treno(l.stato)));
    l.stato.luogo_corrente = {};
}

// The chainage systems were read by the line reader; the simulator needs whole cells.
void verifica_progressive(stato_run& stato) {
    for (int n : {indice_punti::progressiva_tre, indice_punti::progressiva_due,
                  indice_punti::progressiva_uno}) {
        const punto& p = stato.punti[n];
        if (p.inizio % 50 != 0 || p.fine % 50 != 0) {
            registra_errore(stato, 2);
            return;
        }
    }
}

}  // namespace

void leggi_sorgente_treno(stato_run& stato, std::int32_t prossimo_cartello) {
    lettura l{stato,
              lettore_campi::da_file(archivio_di(stato),
                                     percorso_file(stato, nome_sorgente_treno(stato))),
              prossimo_cartello};
    const bool con_generale = trova_generale(l);
    esito_lettura e = con_generale ? leggi_record(l) : esito_lettura::fine_lettura;
    if (e != esito_lettura::abbandona) {
        avvisa_treno_vuoto(stato, l.lettore, con_generale, l.stazione - 1);
    }
    chiudi(l);
    if (e == esito_lettura::abbandona) return;
    treno::completa_profili(l);
    verifica_progressive(stato);
}

}  // namespace scenario
