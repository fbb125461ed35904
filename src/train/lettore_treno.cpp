#include "train/lettore_treno.h"

#include <cctype>
#include <string>
#include <string_view>

#include "model/nomi_file.h"
#include "model/numeri.h"
#include "textfile/file_disco.h"
#include "train/lettura_treno.h"

namespace scenario {

namespace treno {

bool entro_percorso(lettura& l, std::int32_t posizione, std::int32_t margine) {
    if (l.stato.ultima_cella >= somma32(posizione, margine) / 50.0) return true;
    registra_errore(l.stato, 15, posizione);
    return false;
}

}  // namespace treno

namespace {

using treno::esito;
using treno::lettura;

char minuscola(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// Keywords are recognised by a substring, ignoring the case of ASCII letters.
bool contiene(std::string_view campo, std::string_view parola) {
    if (parola.size() > campo.size()) return false;
    for (std::size_t inizio = 0; inizio + parola.size() <= campo.size(); ++inizio) {
        std::size_t n = 0;
        while (n < parola.size() && minuscola(campo[inizio + n]) == minuscola(parola[n])) ++n;
        if (n == parola.size()) return true;
    }
    return false;
}

void leggi_parola_chiave(lettura& l) {
    l.stato.riga = l.lettore.leggi_testo();
    l.stato.luogo_corrente = l.lettore.luogo_campo();
}

// Everything before "[generale]" is ignored; false when the file ends without it.
bool trova_generale(lettura& l) {
    do {
        leggi_parola_chiave(l);
        if (contiene(l.stato.riga, "[generale]")) return true;
    } while (!l.lettore.fine());
    return false;
}

// At most two comment fields in a row are skipped: a third is examined as a keyword. False when
// the file ends on a skipped field.
bool salta_commenti(lettura& l) {
    for (int saltati = 0; saltati < 2 && contiene(l.stato.riga, "-"); ++saltati) {
        leggi_parola_chiave(l);
        if (l.lettore.fine()) return false;
    }
    return true;
}

// The ten tests, in this order, all on the same keyword field: a field may select more than one.
esito esamina(lettura& l) {
    const std::string& riga = l.stato.riga;
    esito e = esito::prosegui;
    if (contiene(riga, "frenata") && contiene(riga, "massa")) treno::leggi_massa_frenata(l);
    if (contiene(riga, "vetture")) treno::leggi_vetture(l);
    if (contiene(riga, "velocit") && (e = treno::leggi_velocita(l)) != esito::prosegui) return e;
    if (contiene(riga, "aderenza") && (e = treno::leggi_aderenza(l)) != esito::prosegui) return e;
    if (contiene(riga, "orologio")) treno::leggi_orologio(l);
    if (contiene(riga, "sabbia")) treno::leggi_sabbia(l);
    if (contiene(riga, "segnale") && (e = treno::leggi_segnale(l)) != esito::prosegui) return e;
    if (contiene(riga, "rallentamento") && (e = treno::leggi_rallentamento(l)) != esito::prosegui) {
        return e;
    }
    if (contiene(riga, "abbattimento") && (e = treno::leggi_abbattimento(l)) != esito::prosegui) {
        return e;
    }
    if (contiene(riga, "stazione") && (e = treno::leggi_stazione(l)) != esito::prosegui) return e;
    return esito::prosegui;
}

// The last field of the file is never examined: the file must end with a line carrying no record.
esito leggi_record(lettura& l) {
    while (!l.lettore.fine()) {
        leggi_parola_chiave(l);
        if (l.lettore.fine()) break;
        if (!salta_commenti(l)) break;
        esito e = esamina(l);
        if (e != esito::prosegui) return e;
    }
    return esito::fine_lettura;
}

// The source is read whole into memory, so closing it is deleting it.
void chiudi(lettura& l) {
    elimina_se_esiste(percorso_file(l.stato, nome_sorgente_treno(l.stato)));
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
    lettura l{stato, lettore_campi::da_file(percorso_file(stato, nome_sorgente_treno(stato))),
              prossimo_cartello};
    esito e = trova_generale(l) ? leggi_record(l) : esito::fine_lettura;
    chiudi(l);
    if (e == esito::fine_anticipata) return;
    treno::completa_profili(l);
    verifica_progressive(stato);
}

}  // namespace scenario
