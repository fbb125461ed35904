#include "line/lettore_linea.h"

#include <system_error>

#include "line/caratteristiche_linea.h"
#include "line/intestazione_linea.h"
#include "line/lettura_linea.h"
#include "model/nomi_file.h"
#include "textfile/archivio_file.h"

namespace scenario {

void chiudi_ed_elimina(lettura_linea& lettura) { lettura.archivio->elimina(lettura.file); }

esito_lettura abbandona_linea(stato_run& stato, lettura_linea& lettura, std::int32_t codice) {
    chiudi_ed_elimina(lettura);
    registra_errore(stato, codice);
    return esito_lettura::abbandona;
}

esito_lettura abbandona_linea(stato_run& stato, lettura_linea& lettura, std::int32_t codice,
                              std::int32_t posizione) {
    chiudi_ed_elimina(lettura);
    registra_errore(stato, codice, posizione);
    return esito_lettura::abbandona;
}

esito_linea leggi_sorgente_linea(stato_run& stato) {
    stato.luogo_corrente = {};
    std::filesystem::path file = percorso_file(stato, nome_sorgente_linea(stato));
    archivio_file& archivio = archivio_di(stato);
    if (!archivio.esiste(file)) {
        registra_errore(stato, 101);
        return {};
    }

    lettura_linea lettura(lettore_campi::da_file(archivio, file), file, archivio);
    if (!cerca_generale(stato, lettura)) return {};
    if (leggi_intestazione_linea(stato, lettura) == esito_lettura::abbandona) return {};
    progressive_ordina(stato);
    prepara_caratteristiche(stato, lettura);
    if (leggi_caratteristiche_linea(stato, lettura) == esito_lettura::abbandona) return {};
    concludi_caratteristiche(stato, lettura);
    // The train reader names its own records.
    stato.luogo_corrente = {};
    return {true, lettura.prossimo_cartello};
}

}  // namespace scenario
