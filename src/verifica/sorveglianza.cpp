#include "verifica/sorveglianza.h"

#include <exception>

#include "model/diagnostica.h"
#include "model/numeri.h"
#include "model/punto.h"
#include "run/codici_errore.h"

namespace scenario {

namespace {

std::string virgolette(std::string_view testo) { return "\"" + std::string(testo) + "\""; }

std::string nome_campo(const forma_record* forma, int campo) {
    if (forma == nullptr || campo < 0 || campo >= forma->numero_campi) return {};
    return std::string(forma->campi[static_cast<std::size_t>(campo)]);
}

// A finding at data field `campo` of the record being read (its keyword when the field was not
// reached).
diagnostica in_campo(const stato_run& stato, const lettore_campi& lettore, int campo) {
    diagnostica d;
    d.file = stato.luogo_corrente.file;
    d.riga = stato.luogo_corrente.riga;
    d.colonna = stato.luogo_corrente.colonna;
    if (campo >= 0 && lettore.colonna_dato(campo) > 0) {
        d.colonna = lettore.colonna_dato(campo);
        // A field taken from a later line is missing from the record's own: act at its end.
        if (lettore.riga_dato(campo) != d.riga) d.colonna = lettore.colonna_fine_riga_record();
    }
    return d;
}

void avviso(stato_run& stato, diagnostica d, const char* nome, std::string messaggio) {
    d.livello = gravita::avviso;
    d.nome = nome;
    d.messaggio = std::move(messaggio);
    stato.diagnostiche->riporta(std::move(d));
}

nota_diagnostica nota_occupante(const raccolta_diagnostiche& r, std::int32_t cella) {
    nota_diagnostica n;
    std::string quale = "cell " + std::to_string(cella) + " (" +
                        std::to_string(static_cast<long long>(cella) * 50) + " m)";
    const occupante_cella* o = r.occupante(cella);
    if (o == nullptr) {
        n.messaggio = quale + " is taken";
    } else if (o->luogo.file.empty()) {
        n.messaggio = quale + " is taken by a " + o->cosa;
    } else {
        n.file = o->luogo.file;
        n.riga = o->luogo.riga;
        n.colonna = o->luogo.colonna;
        n.messaggio = quale + " is taken by the " + o->cosa + " written here";
    }
    return n;
}

nota_diagnostica nota_lunghezza(const stato_run& stato) {
    const raccolta_diagnostiche& r = *stato.diagnostiche;
    nota_diagnostica n;
    n.file = r.luogo_lunghezza.file;
    n.riga = r.luogo_lunghezza.riga;
    n.colonna = r.luogo_lunghezza.colonna;
    n.messaggio = "the line is " + std::to_string(stato.punti[indice_punti::treno].fine) +
                  " m long: every row needs 100 m of line after its position (a station 800 m)";
    return n;
}

// The field a code is about.
int campo_del_codice(std::int32_t codice, const lettore_campi& lettore, std::string_view causa) {
    switch (codice) {
        case 4:
            return 1;
        case 5:
        case 103:
            return -1;
        case 9:
            return 2;
        case 25:
            // A field that could not be read or does not fit its width is the last one begun.
            if (causa.find("campo numerico") != std::string_view::npos ||
                causa.rfind("numero ", 0) == 0) {
                return lettore.campi_letti() - 1;
            }
            return 0;
        default:
            return 0;
    }
}

// The reader's own text names the field's line and column: the diagnostic already stands there.
std::string senza_posizione(std::string causa) {
    std::size_t alla = causa.find(" alla riga ");
    if (alla != std::string::npos) causa.erase(alla);
    return causa;
}

// A row beyond the cells, or a curve beyond the geometry: after a wrong length, every later row.
bool oltre_la_linea(std::int32_t codice, std::string_view causa) {
    return codice == 15 ||
           (codice == 25 && causa.find("oltre la fine del profilo") != std::string_view::npos);
}

void riporta_codice(stato_run& stato, const lettore_campi& lettore, const forma_record* forma,
                    std::int32_t codice, const std::string& causa_letta) {
    const std::string causa = senza_posizione(causa_letta);
    raccolta_diagnostiche& r = *stato.diagnostiche;
    const bool oltre_il_file = causa.find("oltre la fine del file") != std::string::npos;
    int a_capo = lettore.primo_dato_a_capo();
    if (a_capo < 0 && oltre_il_file) a_capo = lettore.campi_letti();
    diagnostica d;
    if (codice == 25 && forma != nullptr && a_capo >= 0 && a_capo < forma->numero_campi) {
        // The record ran out of fields on its own line: the author must act at its end.
        d = in_campo(stato, lettore, -1);
        d.colonna = lettore.colonna_fine_riga_record();
        d.messaggio = std::string(significato_codice(25)) + ": " + std::string(forma->nome) + ": " +
                      std::to_string(forma->numero_campi) +
                      " fields expected, the line ends after " + std::to_string(a_capo) +
                      " (missing: " + virgolette(nome_campo(forma, a_capo)) + ")";
        if (!oltre_il_file) d.messaggio += "; the next line cannot lend it";
        // The lines it reached into are read again as rows: their stray fields say no more.
        if (lettore.campi_letti() > 0) {
            r.riga_avvisata = lettore.riga_dato(lettore.campi_letti() - 1);
            r.file_avvisato = stato.luogo_corrente.file;
        }
    } else {
        int campo = campo_del_codice(codice, lettore, causa);
        d = in_campo(stato, lettore, campo);
        d.messaggio = significato_codice(codice);
        std::string nome = nome_campo(forma, campo);
        if (!nome.empty())
            d.messaggio += " (" + std::string(forma->nome) + ", field " + virgolette(nome) + ")";
        if (!causa.empty()) d.messaggio += ": " + causa;
    }
    d.livello = gravita::errore;
    d.codice = codice;
    if (codice_con_posizione(codice)) d.posizione = stato.posizione_errore;
    for (std::int32_t cella : r.prendi_celle_occupate()) d.note.push_back(nota_occupante(r, cella));
    if (oltre_la_linea(codice, causa)) {
        // One wrong length puts every later row beyond the line: one error tells it.
        if (r.indice_primo_15 >= 0) {
            ++r.altri_15;
            return;
        }
        if (!r.luogo_lunghezza.file.empty()) d.note.push_back(nota_lunghezza(stato));
        r.indice_primo_15 = static_cast<std::int32_t>(r.elenco().size());
    }
    r.riporta(std::move(d));
}

void avvisa_parola(stato_run& stato, const lettore_campi& lettore, parte_sorgente parte,
                   const forma_record* forma) {
    raccolta_diagnostiche& r = *stato.diagnostiche;
    const std::string& parola = stato.riga;
    const luogo_sorgente& qui = stato.luogo_corrente;
    const bool gia_avvisata = r.riga_avvisata == qui.riga && r.file_avvisato == qui.file;
    auto segna_avvisata = [&] {
        r.riga_avvisata = qui.riga;
        r.file_avvisato = qui.file;
    };
    if (r.riga_ultimo_record == qui.riga && r.file_ultimo_record == qui.file) {
        if (!gia_avvisata && !r.nome_ultimo_record.empty()) {
            avviso(stato, in_campo(stato, lettore, -1), "trailing-fields",
                   r.nome_ultimo_record + ": " + virgolette(parola) +
                       " is left over at the end of the line; the compiler reads it as the next "
                       "record keyword");
        }
        segna_avvisata();
        return;
    }
    r.riga_ultimo_record = qui.riga;
    r.file_ultimo_record = qui.file;
    r.nome_ultimo_record = forma != nullptr ? std::string(forma->nome) : std::string();
    if (forma != nullptr) {
        if (forma->nome == "lunghezza percorso") r.luogo_lunghezza = qui;
        return;
    }
    if (parola.empty() || gia_avvisata) return;
    segna_avvisata();
    if (intestazione_sezione(parola)) {
        if (!sezione_nota(parte, parola)) {
            avviso(stato, in_campo(stato, lettore, -1), "unknown-section",
                   "unknown section header " + virgolette(parola) + "; it is skipped");
        }
        return;
    }
    // Without the geometry a curve row is skipped on purpose.
    if (parte == parte_sorgente::caratteristiche_linea && stato.scrivi_linea == 0 &&
        parola_curva(parola)) {
        return;
    }
    std::string testo = virgolette(parola) +
                        " is not a record keyword here: the compiler skips it and reads the "
                        "fields after it as keywords";
    if (std::optional<std::string> vicina = parola_vicina(parte, parola)) {
        testo += "; did you mean " + virgolette(*vicina) + "?";
    }
    avviso(stato, in_campo(stato, lettore, -1), "unknown-record", std::move(testo));
}

// A record that took a number from the next line: nothing fails, the next row is eaten.
void avvisa_a_capo(stato_run& stato, const lettore_campi& lettore, const forma_record* forma) {
    int n = lettore.primo_dato_a_capo();
    if (forma == nullptr || n < 0 || n >= forma->numero_campi) return;
    // The eaten row says nothing more: its fields are this record's, the rest of its line strays.
    raccolta_diagnostiche& r = *stato.diagnostiche;
    r.riga_avvisata = lettore.riga_dato(lettore.campi_letti() - 1);
    r.file_avvisato = stato.luogo_corrente.file;
    diagnostica d = in_campo(stato, lettore, -1);
    d.colonna = lettore.colonna_fine_riga_record();
    avviso(stato, std::move(d), "record-runs-on",
           std::string(forma->nome) + ": " + std::to_string(forma->numero_campi) +
               " fields expected, the line ends after " + std::to_string(n) + "; " +
               virgolette(nome_campo(forma, n)) + " is taken from line " +
               std::to_string(lettore.riga_dato(n)) + ", whose row is lost");
}

}  // namespace

esito_lettura esamina_sorvegliato(stato_run& stato, lettore_campi& lettore, parte_sorgente parte,
                                  const std::function<esito_lettura()>& esamina) {
    raccolta_diagnostiche* r = stato.diagnostiche;
    if (r == nullptr) return esamina();
    lettore.inizia_record();
    const forma_record* forma = riconosci_record(parte, stato.riga, stato.scrivi_linea != 0);
    r->forma_corrente = forma;
    avvisa_parola(stato, lettore, parte, forma);
    if (!r->prosegui()) {
        esito_lettura e = esamina();
        avvisa_a_capo(stato, lettore, forma);
        return e;
    }
    esito_lettura e = esito_lettura::prosegui;
    try {
        e = esamina();
    } catch (const std::exception& guasto) {
        riporta_codice(stato, lettore, forma, 25, guasto.what());
        stato.codice_errore = 0;
        lettore.riprendi_dopo_record();
        return esito_lettura::prosegui;
    }
    if (stato.codice_errore != 0) {
        const std::int32_t codice = stato.codice_errore;
        riporta_codice(stato, lettore, forma, codice, {});
        stato.codice_errore = 0;
        // Without a length there are no cells to go on with.
        if (codice == 1) return esito_lettura::abbandona;
        lettore.riprendi_dopo_record();
        return esito_lettura::prosegui;
    }
    avvisa_a_capo(stato, lettore, forma);
    return e;
}

void annota_cella(stato_run& stato, std::int32_t cella, const char* cosa) {
    if (stato.diagnostiche != nullptr) {
        stato.diagnostiche->annota_occupante(cella, cosa, stato.luogo_corrente);
    }
}

void cella_occupata(stato_run& stato, std::int32_t cella) {
    if (stato.diagnostiche != nullptr) stato.diagnostiche->cella_occupata(cella);
}

void codice_passata(stato_run& stato, std::int32_t codice, std::int32_t posizione,
                    std::int32_t cella_causa, std::initializer_list<std::int32_t> celle_provate) {
    registra_errore(stato, codice, posizione);
    raccolta_diagnostiche* r = stato.diagnostiche;
    if (r == nullptr || !r->prosegui()) return;
    diagnostica d;
    d.livello = gravita::errore;
    d.codice = codice;
    d.posizione = posizione;
    d.messaggio = significato_codice(codice);
    if (const occupante_cella* causa = r->occupante(cella_causa)) {
        d.file = causa->luogo.file;
        d.riga = causa->luogo.riga;
        d.colonna = causa->luogo.colonna;
        d.messaggio += " (the " + causa->cosa + ")";
    }
    for (std::int32_t cella : celle_provate) d.note.push_back(nota_occupante(*r, cella));
    r->riporta(std::move(d));
    stato.codice_errore = 0;
}

void avvisa_ordine_pendenza(stato_run& stato, const lettore_campi& lettore,
                            std::int32_t posizione) {
    raccolta_diagnostiche* r = stato.diagnostiche;
    if (r == nullptr) return;
    if (r->ultima_pendenza >= 0 && posizione <= r->ultima_pendenza) {
        avviso(stato, in_campo(stato, lettore, 0), "gradient-order",
               "pendenza: field \"posizione\" = " + std::to_string(posizione) +
                   " m does not come after the previous gradient at " +
                   std::to_string(r->ultima_pendenza) +
                   " m; gradients must be in increasing order of position");
    }
    if (posizione > r->ultima_pendenza) r->ultima_pendenza = posizione;
}

void avvisa_ordine_curva(stato_run& stato, const lettore_campi& lettore, std::int32_t inizio,
                         std::int32_t lunghezza) {
    raccolta_diagnostiche* r = stato.diagnostiche;
    if (r == nullptr) return;
    if (r->inizio_ultima_curva >= 0) {
        const char* nome = nullptr;
        std::string testo;
        if (inizio < r->inizio_ultima_curva) {
            nome = "curve-order";
            testo = "curva: field \"inizio\" = " + std::to_string(inizio) +
                    " m comes before the previous curve's start, " +
                    std::to_string(r->inizio_ultima_curva) + " m; curves must be in order";
        } else if (inizio < r->fine_ultima_curva) {
            nome = "curve-overlap";
            testo = "curva: field \"inizio\" = " + std::to_string(inizio) +
                    " m lies inside the previous curve, which ends at " +
                    std::to_string(r->fine_ultima_curva) + " m";
        }
        if (nome != nullptr) {
            diagnostica d = in_campo(stato, lettore, 0);
            nota_diagnostica n;
            n.file = r->luogo_ultima_curva.file;
            n.riga = r->luogo_ultima_curva.riga;
            n.colonna = r->luogo_ultima_curva.colonna;
            n.messaggio = "the previous curve";
            d.note.push_back(n);
            avviso(stato, std::move(d), nome, std::move(testo));
        }
    }
    r->inizio_ultima_curva = inizio;
    r->fine_ultima_curva = static_cast<std::int32_t>(
        std::min<long long>(static_cast<long long>(inizio) + lunghezza, 2147483647LL));
    r->luogo_ultima_curva = stato.luogo_corrente;
}

void avvisa_valore(stato_run& stato, const lettore_campi& lettore, int campo, long long scritto,
                   long long tenuto, const char* come) {
    raccolta_diagnostiche* r = stato.diagnostiche;
    if (r == nullptr || scritto == tenuto) return;
    const forma_record* forma = r->forma_corrente;
    std::string testo = forma != nullptr ? std::string(forma->nome) + ": " : std::string();
    testo += "field " + virgolette(nome_campo(forma, campo)) + " = " + std::to_string(scritto) +
             " is kept as " + std::to_string(tenuto) + " (" + come + ")";
    bool arrotondato = std::string_view(come).find("step") != std::string_view::npos;
    avviso(stato, in_campo(stato, lettore, campo), arrotondato ? "value-rounded" : "value-wrapped",
           std::move(testo));
}

void avvisa_passo_5(stato_run& stato, const lettore_campi& lettore, int campo, long long kmh) {
    if (stato.diagnostiche == nullptr || kmh % 5 == 0) return;
    long long tenuto = static_cast<long long>(vicino_pari(static_cast<double>(kmh) / 5.0)) * 5;
    avvisa_valore(stato, lettore, campo, kmh, tenuto, "speeds are kept in steps of 5 km/h");
}

void avvisa_treno_vuoto(stato_run& stato, const lettore_campi& lettore, bool con_generale,
                        std::int32_t stazioni) {
    if (stato.diagnostiche == nullptr) return;
    diagnostica d;
    d.file = lettore.luogo_campo().file;
    d.riga = 1;
    d.colonna = 1;
    if (!con_generale) {
        avviso(stato, std::move(d), "no-generale",
               "the train source has no \"[generale]\" line: nothing in it is read");
    } else if (stazioni == 0) {
        avviso(stato, std::move(d), "no-stations",
               "the train source has no station: the timetable of the compiled scenario is empty");
    }
}

void esamina_testo_sorgente(stato_run& stato, const std::string& contenuto,
                            const std::string& file) {
    if (stato.diagnostiche == nullptr) return;
    std::int32_t riga = 1;
    std::size_t inizio_riga = 0;
    std::int32_t riga_utf8 = 0;
    std::int32_t cr_soli = 0;
    diagnostica primo_cr;
    for (std::size_t n = 0; n < contenuto.size(); ++n) {
        auto b = static_cast<unsigned char>(contenuto[n]);
        auto colonna = static_cast<std::int32_t>(n - inizio_riga + 1);
        if (b == '\n') {
            ++riga;
            inizio_riga = n + 1;
            continue;
        }
        if (b == '\r' && (n + 1 >= contenuto.size() || contenuto[n + 1] != '\n')) {
            if (cr_soli++ == 0) {
                primo_cr.file = file;
                primo_cr.riga = riga;
                primo_cr.colonna = colonna;
            }
            continue;
        }
        if (b < 0xC2 || b > 0xF4 || riga_utf8 == riga) continue;
        std::size_t seguono = b >= 0xF0 ? 3 : b >= 0xE0 ? 2 : 1;
        bool valida = n + seguono < contenuto.size();
        for (std::size_t k = 1; valida && k <= seguono; ++k) {
            valida = (static_cast<unsigned char>(contenuto[n + k]) & 0xC0) == 0x80;
        }
        if (!valida) continue;
        riga_utf8 = riga;
        diagnostica d;
        d.file = file;
        d.riga = riga;
        d.colonna = colonna;
        avviso(stato, std::move(d), "utf8-text",
               "text saved as UTF-8: the simulator reads Windows-1252 and shows " +
                   virgolette(contenuto.substr(n, seguono + 1)) +
                   "; save the file as Windows-1252");
    }
    if (cr_soli > 0) {
        avviso(stato, std::move(primo_cr), "cr-line-end",
               std::to_string(cr_soli) + " line" + (cr_soli == 1 ? "" : "s") +
                   " ended by CR alone: the reader takes only CR LF or LF as a line end, so the "
                   "CR becomes part of a field and the next line joins this one");
    }
}

void riporta_codice_in_sospeso(stato_run& stato) {
    raccolta_diagnostiche* r = stato.diagnostiche;
    if (r == nullptr || !r->prosegui()) return;
    if (stato.codice_errore != 0) {
        diagnostica d;
        d.livello = gravita::errore;
        d.codice = stato.codice_errore;
        d.file = stato.luogo_errore.file;
        d.riga = stato.luogo_errore.riga;
        d.colonna = stato.luogo_errore.colonna;
        if (codice_con_posizione(d.codice)) d.posizione = stato.posizione_errore;
        d.messaggio = significato_codice(d.codice);
        if (d.codice == 25 && !stato.causa_guasto.empty()) d.messaggio += ": " + stato.causa_guasto;
        for (std::int32_t cella : r->prendi_celle_occupate()) {
            d.note.push_back(nota_occupante(*r, cella));
        }
        r->riporta(std::move(d));
        stato.codice_errore = 0;
    }
}

void concludi_diagnostiche(stato_run& stato) {
    riporta_codice_in_sospeso(stato);
    raccolta_diagnostiche* r = stato.diagnostiche;
    if (r == nullptr || !r->prosegui()) return;
    if (r->indice_primo_15 >= 0 && r->altri_15 > 0) {
        nota_diagnostica n;
        n.messaggio = std::to_string(r->altri_15) + " more row" + (r->altri_15 == 1 ? "" : "s") +
                      " beyond the line not listed";
        r->elenco()[static_cast<std::size_t>(r->indice_primo_15)].note.push_back(n);
    }
}

}  // namespace scenario
