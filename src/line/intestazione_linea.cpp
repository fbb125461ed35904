#include "line/intestazione_linea.h"

#include <array>
#include <string>

#include "model/numeri.h"
#include "model/punto.h"
#include "output/formato_file.h"
#include "textfile/parole_chiave.h"
#include "verifica/sorveglianza.h"

namespace scenario {

namespace {

using formato::lunghezza_massima;
// Up to ten comment fields in a row, with no test for the end of the file between them.
constexpr int commenti_di_fila = 10;

// A section header ends the header part; one that begins with "-" is still a comment.
bool intestazione_sezione(const std::string& riga) {
    std::size_t primo = riga.find_first_not_of(' ');
    bool commento = primo != std::string::npos && riga[primo] == '-';
    return contiene(riga, "[") && contiene(riga, "]") && !commento;
}

void leggi_progressiva(lettore_campi& lettore, punto& voce) {
    voce.inizio = lettore.leggi_numero();
    voce.fine = lettore.leggi_numero();
    voce.posizione = lettore.leggi_numero();
}

// The cab-signal section: both ends on the 50 m grid, the keyword naming 4 or 9 codes.
esito_lettura leggi_ripetizione(stato_run& stato, lettura_linea& lettura, const std::string& riga) {
    punto& voce = stato.punti[indice_punti::ripetizione];
    voce.inizio = lettura.lettore.leggi_numero();
    voce.fine = lettura.lettore.leggi_numero();
    if (voce.inizio % 50 != 0) return abbandona_linea(stato, lettura, 3);
    if (voce.fine % 50 != 0) return abbandona_linea(stato, lettura, 4);
    if (contiene(riga, "4")) {
        voce.posizione = 4;
    } else if (contiene(riga, "9")) {
        voce.posizione = 9;
    } else {
        return abbandona_linea(stato, lettura, 5);
    }
    // A section without an end has no cab signals.
    if (voce.fine == 0) voce.posizione = 0;
    return esito_lettura::prosegui;
}

esito_lettura leggi_lunghezza(stato_run& stato, lettura_linea& lettura) {
    std::int32_t lunghezza = lettura.lettore.leggi_numero();
    stato.punti[indice_punti::treno].fine = lunghezza;
    if (lunghezza > lunghezza_massima) {
        // A second length row must not leave the cells of the first one: the files would hold
        // this length in record 84 beside cells sized for another.
        stato.percorso.dimensiona(0);
        stato.profilo.azzera();
        return abbandona_linea(stato, lettura, 1);
    }
    dimensiona_modello(stato, lunghezza);
    lettura.lunghezza_letta = true;
    return esito_lettura::prosegui;
}

// Every test is applied to the same keyword, in this order.
esito_lettura esamina_intestazione(stato_run& stato, lettura_linea& lettura) {
    const std::string riga = stato.riga;
    lettore_campi& lettore = lettura.lettore;

    if (contiene_senza_maiuscole(riga, "percorso") && contiene_senza_maiuscole(riga, "lunghezza")) {
        if (leggi_lunghezza(stato, lettura) == esito_lettura::abbandona)
            return esito_lettura::abbandona;
    }

    if (contiene(riga, "tre") && contiene(riga, "progressiva")) {
        leggi_progressiva(lettore, stato.punti[indice_punti::progressiva_tre]);
    }
    if (contiene(riga, "due") && contiene(riga, "progressiva")) {
        leggi_progressiva(lettore, stato.punti[indice_punti::progressiva_due]);
    }
    if (contiene(riga, "uno") && contiene(riga, "progressiva")) {
        leggi_progressiva(lettore, stato.punti[indice_punti::progressiva_uno]);
    }

    punto& scenario = stato.punti[indice_punti::scenario];
    if (contiene(riga, "sfondo") && contiene(riga, "uno")) scenario.inizio = lettore.leggi_numero();
    if (contiene(riga, "sfondo") && contiene(riga, "due"))
        scenario.posizione = lettore.leggi_numero();
    if (contiene(riga, "sfondo") && contiene(riga, "tre")) scenario.fine = lettore.leggi_numero();

    if (contiene(riga, "segnali") && contiene(riga, "ripetizione")) {
        if (leggi_ripetizione(stato, lettura, riga) == esito_lettura::abbandona)
            return esito_lettura::abbandona;
    }
    return esito_lettura::prosegui;
}

}  // namespace

bool cerca_generale(stato_run& stato, lettura_linea& lettura) {
    // An empty file has no "[generale]" either.
    if (lettura.lettore.fine()) {
        abbandona_linea(stato, lettura, 102);
        return false;
    }
    do {
        leggi_parola_chiave(stato, lettura.lettore);
        if (lettura.lettore.fine()) {
            abbandona_linea(stato, lettura, 102);
            return false;
        }
    } while (!contiene_senza_maiuscole(stato.riga, "[generale]"));
    return true;
}

esito_lettura leggi_intestazione_linea(stato_run& stato, lettura_linea& lettura) {
    lettore_campi& lettore = lettura.lettore;
    while (!lettore.fine()) {
        leggi_parola_chiave(stato, lettore);
        if (lettore.fine()) break;
        // A file ending in comments is cut short here.
        salta_commenti(stato, lettore, commenti_di_fila, false);
        if (esamina_sorvegliato(stato, lettore, parte_sorgente::intestazione_linea, [&] {
                return esamina_intestazione(stato, lettura);
            }) == esito_lettura::abbandona) {
            return esito_lettura::abbandona;
        }
        if (intestazione_sezione(stato.riga)) break;
    }
    return esito_lettura::prosegui;
}

void progressive_ordina(stato_run& stato) {
    struct sistema {
        std::int32_t inizio = 0;
        std::int32_t fine = 0;
        std::int32_t posizione = 0;
    };
    // Index 0, 1, 2 = entries 81, 82, 83 = systems "tre", "due", "uno".
    constexpr std::array<int, 3> voci = {indice_punti::progressiva_tre,
                                         indice_punti::progressiva_due,
                                         indice_punti::progressiva_uno};
    std::array<sistema, 3> letti;
    for (std::size_t n = 0; n < voci.size(); ++n) {
        const punto& voce = stato.punti[voci[n]];
        letti[n] = {voce.inizio, voce.fine, voce.posizione};
    }
    const sistema& tre = letti[0];
    const sistema& due = letti[1];
    const sistema& uno = letti[2];

    std::array<sistema, 3> ordinati{};
    if (somma32(somma32(tre.inizio, due.inizio), uno.inizio) != 0) {
        for (std::size_t primo = 0; primo < 3; ++primo) {
            std::size_t a = (primo + 1) % 3;
            std::size_t b = (primo + 2) % 3;
            if (letti[primo].inizio <= letti[a].inizio || letti[primo].inizio <= letti[b].inizio) {
                continue;
            }
            // Of the other two the greater start comes next; on a tie, the higher entry.
            std::size_t alto = a > b ? a : b;
            std::size_t basso = a > b ? b : a;
            std::size_t secondo = letti[basso].inizio > letti[alto].inizio ? basso : alto;
            ordinati = {letti[primo], letti[secondo], letti[secondo == alto ? basso : alto]};
        }
        // Two or three equal largest starts leave no order: all three entries are cleared.
    } else {
        // The last rule that holds wins: "uno" over "due" over "tre".
        if (tre.fine > 0) ordinati = {tre, due, uno};
        if (due.fine > 0) ordinati = {due, tre, uno};
        if (uno.fine > 0) ordinati = {uno, due, tre};
    }

    for (std::size_t n = 0; n < voci.size(); ++n) {
        sistema& s = ordinati[n];
        if (s.posizione == 1) s.fine = somma32(s.fine, 100);
        punto& voce = stato.punti[voci[n]];
        voce.inizio = s.inizio;
        voce.fine = s.fine;
        voce.posizione = s.posizione;
    }
}

}  // namespace scenario
