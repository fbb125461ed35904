#pragma once

#include "model/stato_run.h"
#include "textfile/lettore_campi.h"

// The shape both source readers share: how a record leaves the reading, how the keyword field is
// read, and which fields are comments.
namespace scenario {

// How reading a record (or a stage of the reading) ended.
enum class esito_lettura {
    prosegui,      // on to the next keyword field
    fine_lettura,  // end of the file, or a row out of the line (code 15): the end of reading runs
    abbandona,     // a code was recorded and the source deleted: leave the compiler at once
};

// Reads the next keyword field into `riga`, remembering where it stands for a recorded code.
void leggi_parola_chiave(stato_run& stato, lettore_campi& lettore);

// Where a keyword is expected, a field containing "-" is a comment: up to `massimo` of them in a
// row are skipped, each replaced in `riga` by the field after it; the next one is examined as a
// keyword. With `ferma_a_fine` the skipping stops at the end of the file and returns false there;
// without it the end of the file is not tested, so reading past it is a run-time fault.
bool salta_commenti(stato_run& stato, lettore_campi& lettore, int massimo, bool ferma_a_fine);

}  // namespace scenario
