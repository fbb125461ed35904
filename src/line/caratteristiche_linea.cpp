#include "line/caratteristiche_linea.h"

#include <string>

#include "line/cartelli.h"
#include "line/geometria_linea.h"
#include "line/montagne.h"
#include "model/guasto.h"
#include "model/numeri.h"
#include "textfile/parole_chiave.h"
#include "verifica/sorveglianza.h"

namespace scenario {

namespace {

constexpr std::int32_t codice_fuori_linea = 15;
// At most two comment fields in a row among the features; a third is taken as a keyword.
constexpr int commenti_di_fila = 2;

esito_lettura fuori_dalla_linea(stato_run& stato, std::int32_t posizione) {
    registra_errore(stato, codice_fuori_linea, posizione);
    return esito_lettura::fine_lettura;
}

// Writes the gradient in force into the cell at the cursor and advances it, at least once.
void scrivi_pendenza_fino_a(stato_run& stato, lettura_linea& lettura, std::int32_t limite) {
    std::uint8_t valore = basso8(somma32(lettura.pendenza_precedente, 100));
    do {
        stato.percorso[lettura.cursore_pendenza].pendenza = valore;
        lettura.cursore_pendenza = somma32(lettura.cursore_pendenza, 1);
    } while (lettura.cursore_pendenza < limite);
}

// A gradient takes effect at cell nearest(p / 50); its own cells are written by the next record.
esito_lettura record_pendenza(stato_run& stato, lettura_linea& lettura) {
    std::int32_t posizione = lettura.lettore.leggi_numero();
    std::int32_t pendenza = lettura.lettore.leggi_numero();
    if (fuori_linea(stato, posizione)) return fuori_dalla_linea(stato, posizione);
    avvisa_ordine_pendenza(stato, lettura.lettore, posizione);
    avvisa_valore(stato, lettura.lettore, 1, pendenza,
                  static_cast<long long>(basso8(static_cast<long long>(pendenza) + 100)) - 100,
                  "cells keep gradient + 100 in 8 bits");
    std::int32_t cella = arrotonda<std::int32_t>(posizione / 50.0, "cella della pendenza");
    if (cella > 0) scrivi_pendenza_fino_a(stato, lettura, cella);
    lettura.pendenza_precedente = pendenza;
    return esito_lettura::prosegui;
}

esito_lettura record_curva(stato_run& stato, lettura_linea& lettura, const std::string& parola) {
    std::int32_t inizio = lettura.lettore.leggi_numero();
    std::int32_t lunghezza = lettura.lettore.leggi_numero();
    if (fuori_linea(stato, inizio)) return fuori_dalla_linea(stato, inizio);
    avvisa_ordine_curva(stato, lettura.lettore, inizio, lunghezza);
    std::optional<double> k = svolta_curva(parola);
    if (!k) return abbandona_linea(stato, lettura, 103);
    return disegna_curva(stato, lettura, inizio, lunghezza, *k);
}

esito_lettura record_montagna(stato_run& stato, lettura_linea& lettura) {
    std::int32_t inizio = lettura.lettore.leggi_numero();
    std::int32_t fine = lettura.lettore.leggi_numero();
    std::int32_t tipo = lettura.lettore.leggi_numero();
    if (fuori_linea(stato, inizio)) return fuori_dalla_linea(stato, inizio);
    const long long genere = tipo > 10 ? static_cast<long long>(tipo) - 10 : tipo;
    avvisa_valore(stato, lettura.lettore, 2, genere, basso8(genere), "cells keep it in 8 bits");
    memo_montagna(stato, inizio, fine, tipo);
    if (stato.codice_errore > 0) {
        chiudi_ed_elimina(lettura);
        stato.posizione_errore = inizio;
        return esito_lettura::abbandona;
    }
    return esito_lettura::prosegui;
}

esito_lettura record_indicatori(stato_run& stato, lettura_linea& lettura) {
    riga_indicatori_v_max r;
    for (std::int32_t* campo :
         {&r.posizione, &r.vas, &r.vbs, &r.vcs, &r.strisces, &r.vad, &r.vbd, &r.vcd, &r.strisced}) {
        *campo = lettura.lettore.leggi_numero();
    }
    if (fuori_linea(stato, r.posizione)) return fuori_dalla_linea(stato, r.posizione);
    int campo = 1;
    for (std::int32_t v : {r.vas, r.vbs, r.vcs}) avvisa_passo_5(stato, lettura.lettore, campo++, v);
    campo = 5;
    for (std::int32_t v : {r.vad, r.vbd, r.vcd}) avvisa_passo_5(stato, lettura.lettore, campo++, v);
    memo_indicatori_v_max(stato, r);
    if (stato.codice_errore > 0) {
        chiudi_ed_elimina(lettura);
        stato.posizione_errore = r.posizione;
        return esito_lettura::abbandona;
    }
    return esito_lettura::prosegui;
}

esito_lettura record_cartello(stato_run& stato, lettura_linea& lettura) {
    std::int32_t posizione = lettura.lettore.leggi_numero();
    stato.riga = lettura.lettore.leggi_testo();
    if (fuori_linea(stato, posizione)) return fuori_dalla_linea(stato, posizione);
    if (!memo_cartello_indicatore(stato, posizione, stato.riga, lettura.prossimo_cartello)) {
        return abbandona_linea(stato, lettura, 6, posizione);
    }
    return esito_lettura::prosegui;
}

// Every test is applied to the same keyword, in this order; a keyword meant for one record
// matches one test only.
esito_lettura esamina_caratteristica(stato_run& stato, lettura_linea& lettura) {
    const std::string parola = stato.riga;
    esito_lettura esito = esito_lettura::prosegui;
    if (contiene_senza_maiuscole(parola, "pendenza")) {
        esito = record_pendenza(stato, lettura);
        if (esito != esito_lettura::prosegui) return esito;
    }
    // Without the geometry a curve is not a record: its fields are skipped one by one.
    if (stato.scrivi_linea != 0 && contiene_senza_maiuscole(parola, "curva")) {
        esito = record_curva(stato, lettura, parola);
        if (esito != esito_lettura::prosegui) return esito;
    }
    if (contiene_senza_maiuscole(parola, "montagna")) {
        esito = record_montagna(stato, lettura);
        if (esito != esito_lettura::prosegui) return esito;
    }
    if (contiene_senza_maiuscole(parola, "indicatori_v")) {
        esito = record_indicatori(stato, lettura);
        if (esito != esito_lettura::prosegui) return esito;
    }
    if (contiene_senza_maiuscole(parola, "cartello") &&
        contiene_senza_maiuscole(parola, "indicat")) {
        esito = record_cartello(stato, lettura);
    }
    return esito;
}

}  // namespace

bool fuori_linea(const stato_run& stato, std::int32_t posizione) {
    return somma32(posizione, 100) / 50.0 > stato.ultima_cella;
}

void prepara_caratteristiche(stato_run& stato, lettura_linea& lettura) {
    if (!lettura.lunghezza_letta) {
        throw guasto_esecuzione(
            "la sorgente della linea non ha la riga \"lunghezza percorso\": celle e profilo non "
            "dimensionati");
    }
    stato.conta_montagne = 0;
    lettura.prossimo_cartello = 80;
    lettura.cursore_pendenza = 0;
    lettura.pendenza_precedente = 0;
    lettura.metro = 2;
    if (stato.scrivi_linea != 0) imposta_inizio_geometria(stato);
}

esito_lettura leggi_caratteristiche_linea(stato_run& stato, lettura_linea& lettura) {
    lettore_campi& lettore = lettura.lettore;
    while (!lettore.fine()) {
        leggi_parola_chiave(stato, lettore);
        if (lettore.fine()) break;
        if (!salta_commenti(stato, lettore, commenti_di_fila, true)) break;
        esito_lettura esito =
            esamina_sorvegliato(stato, lettore, parte_sorgente::caratteristiche_linea,
                                [&] { return esamina_caratteristica(stato, lettura); });
        if (esito != esito_lettura::prosegui) return esito;
    }
    return esito_lettura::fine_lettura;
}

void concludi_caratteristiche(stato_run& stato, lettura_linea& lettura) {
    chiudi_ed_elimina(lettura);
    // The last three cells keep a zero gradient.
    scrivi_pendenza_fino_a(stato, lettura, differenza32(stato.ultima_cella, 2));
    if (stato.scrivi_linea != 0) completa_geometria(stato, lettura);
}

}  // namespace scenario
