#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>

#include "model/stato_run.h"
#include "textfile/lettore_campi.h"
#include "textfile/lettura_sorgente.h"
#include "verifica/forme_record.h"

// The readers' hooks to the diagnostics sink. Without a sink (the program's own run) each is one
// pointer test; with one in the compiler's mode they only add warnings; in check they also turn
// a record's code into a diagnostic and let the reading go on with the next line.
namespace scenario {

// Examines the keyword field just read (the record keyword, a section header or a stray field)
// and then the record itself through `esamina`.
esito_lettura esamina_sorvegliato(stato_run& stato, lettore_campi& lettore, parte_sorgente parte,
                                  const std::function<esito_lettura()>& esamina);

// A feature is written into `cella`: remembered for the code that may later find it taken.
void annota_cella(stato_run& stato, std::int32_t cella, const char* cosa);
// The check that is about to record a code found `cella` taken.
void cella_occupata(stato_run& stato, std::int32_t cella);

// A code of the cell pass, recorded as always; in check also reported at once, with the cells
// that were tried and found taken, at the row of the feature in `cella_causa`.
void codice_passata(stato_run& stato, std::int32_t codice, std::int32_t posizione,
                    std::int32_t cella_causa, std::initializer_list<std::int32_t> celle_provate);

// Order of the rows that the compiler silently depends on.
void avvisa_ordine_pendenza(stato_run& stato, const lettore_campi& lettore, std::int32_t posizione);
void avvisa_ordine_curva(stato_run& stato, const lettore_campi& lettore, std::int32_t inizio,
                         std::int32_t lunghezza);

// A value the compiler keeps changed: `tenuto` is what the cell or table will hold of `scritto`.
void avvisa_valore(stato_run& stato, const lettore_campi& lettore, int campo, long long scritto,
                   long long tenuto, const char* come);
// A speed kept in steps of 5 km/h.
void avvisa_passo_5(stato_run& stato, const lettore_campi& lettore, int campo, long long kmh);

// At the end of the train source: no "[generale]", or no station read.
void avvisa_treno_vuoto(stato_run& stato, const lettore_campi& lettore, bool con_generale,
                        std::int32_t stazioni);

// Byte-level findings over a whole source: multi-byte UTF-8 text and lines ended by CR alone.
void esamina_testo_sorgente(stato_run& stato, const std::string& contenuto,
                            const std::string& file);

// In check, a code recorded outside any record (one that stopped a reader, the end-of-reading
// code 2, a stamp) waits in the run state: it becomes a diagnostic here, before a later stage
// can record another over it. Nothing to do when no code waits, or outside check.
void riporta_codice_in_sospeso(stato_run& stato);

// In check, the code left in the run state at the end becomes a diagnostic, and the remaining
// notes are completed.
void concludi_diagnostiche(stato_run& stato);

}  // namespace scenario
