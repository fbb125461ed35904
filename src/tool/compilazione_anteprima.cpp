#include "tool/compilazione_anteprima.h"

#include <exception>
#include <sstream>
#include <system_error>

#include "model/guasto.h"
#include "model/nomi_file.h"
#include "run/errore.h"
#include "run/memorizza_percorso.h"
#include "textfile/file_disco.h"
#include "tool/cartella_lavoro.h"
#include "tool/decodifica_celle.h"
#include "tool/decodifica_geometria.h"
#include "tool/decodifica_punti.h"
#include "tool/lettore_byte.h"
#include "tool/piattaforma_strumento.h"

namespace scenario::strumento {

namespace {

diagnostica semplice(std::string messaggio, std::string file = {}) {
    diagnostica d;
    d.messaggio = std::move(messaggio);
    d.file = std::move(file);
    return d;
}

void sostituisci_tutto(std::string& testo, const std::string& vecchio, const std::string& nuovo) {
    if (vecchio.empty()) return;
    for (std::size_t da = testo.find(vecchio); da != std::string::npos;
         da = testo.find(vecchio, da + nuovo.size())) {
        testo.replace(da, vecchio.size(), nuovo);
    }
}

// The compiler names the copy it read; the author wants to see their own file.
diagnostica per_autore(const stato_run& stato, const std::filesystem::path& sorgenti,
                       const std::filesystem::path& lavoro) {
    stato_run breve;
    breve.codice_errore = stato.codice_errore;
    breve.posizione_errore = stato.posizione_errore;
    breve.luogo_errore = stato.luogo_errore;
    breve.causa_guasto = stato.causa_guasto;
    if (!breve.luogo_errore.file.empty()) {
        breve.luogo_errore.file = nome_leggibile(sorgenti / breve.luogo_errore.file);
    }
    sostituisci_tutto(breve.causa_guasto, nome_leggibile(lavoro), nome_leggibile(sorgenti));
    sostituisci_tutto(breve.causa_guasto, lavoro.string(), sorgenti.string());
    return diagnostica_da_stato(breve);
}

bool esiste_file(const std::filesystem::path& file) {
    std::error_code ignora;
    return std::filesystem::is_regular_file(file, ignora);
}

scenario_compilato leggi_compilato(const stato_run& stato, const std::filesystem::path& cartella) {
    scenario_compilato s;
    s.nome_scenario = stato.nome_scenario;
    s.numero_treno = stato.numero_treno;
    s.punti = decodifica_punti(leggi_file(cartella / nome_file_sim(stato)));
    s.celle = decodifica_celle(leggi_file(cartella / nome_file_dat(stato)));
    if (stato.scrivi_linea != 0) {
        s.geometria = decodifica_geometria(leggi_file(cartella / nome_file_linea(stato)));
    }
    return s;
}

}  // namespace

esito_anteprima compila_anteprima(const richiesta_compilazione& richiesta) {
    esito_anteprima esito;
    stato_run stato;
    stato.nome_scenario = richiesta.nome_scenario;
    stato.numero_treno = richiesta.numero_treno;
    const std::filesystem::path linea = richiesta.sorgenti / nome_sorgente_linea(stato);
    const std::filesystem::path treno = richiesta.sorgenti / nome_sorgente_treno(stato);
    if (!esiste_file(linea)) {
        stato_run codice;
        codice.codice_errore = 101;
        diagnostica d = diagnostica_da_stato(codice);
        d.file = nome_leggibile(linea);
        esito.diagnostiche.push_back(d);
    }
    if (!esiste_file(treno)) {
        esito.diagnostiche.push_back(
            semplice("the train source does not exist", nome_leggibile(treno)));
    }
    if (!esito.diagnostiche.empty()) return esito;

    try {
        cartella_lavoro lavoro;
        stato.cartella = lavoro.percorso();
        // Read once and written whole: an editor saving at this moment cannot leave the copy
        // half old and half new in a way that goes unnoticed, since the next change of the
        // file starts another compilation.
        sostituisci_file(lavoro.percorso() / nome_sorgente_linea(stato), leggi_file(linea));
        sostituisci_file(lavoro.percorso() / nome_sorgente_treno(stato), leggi_file(treno));

        // A message box of the two stamp checks becomes the diagnostic below.
        std::ostringstream scartati;
        piattaforma_strumento schermo(scartati);
        bool completata = false;
        try {
            completata = memorizza_percorso(stato, schermo, richiesta.con_linea ? 1 : 0);
        } catch (const fine_programma& fine) {
            stato.codice_errore = fine.codice;
            stato.luogo_errore = {};
        }
        if (stato.codice_errore != 0) {
            esito.diagnostiche.push_back(per_autore(stato, richiesta.sorgenti, lavoro.percorso()));
        }
        if (completata) esito.scenario = leggi_compilato(stato, lavoro.percorso());
    } catch (const guasto_file& e) {
        esito.diagnostiche.push_back(
            semplice("cannot write or read " + e.file() + ": " + e.causa()));
    } catch (const file_malformato& e) {
        esito.diagnostiche.push_back(
            semplice(std::string("a compiled file reads back wrong: ") + e.what()));
    } catch (const std::exception& e) {
        esito.diagnostiche.push_back(
            semplice(std::string("failure during the generation: ") + e.what()));
    }
    return esito;
}

}  // namespace scenario::strumento
