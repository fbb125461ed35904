#include "tool/compilazione_anteprima.h"

#include <exception>

#include "model/guasto.h"
#include "model/nomi_file.h"
#include "output/coerenza_insieme.h"
#include "output/lettore_byte.h"
#include "output/lettura_formato.h"
#include "run/compilazione_privata.h"
#include "textfile/file_disco.h"
#include "tool/lettura_compilati.h"

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

scenario_compilato leggi_compilato(const compilazione_privata& c) {
    const identita_file nomi(c.stato());
    scenario_compilato s;
    s.nome_scenario = c.stato().nome_scenario;
    s.numero_treno = c.stato().numero_treno;
    s.punti = formato::decodifica_punti(c.leggi(nome_file_sim(nomi)));
    s.celle = formato::decodifica_celle(c.leggi(nome_file_dat(nomi)));
    if (c.stato().scrivi_linea != 0) {
        s.geometria = formato::decodifica_geometria(c.leggi(nome_file_linea(nomi)));
    }
    verifica_insieme(s, nome_file_sim(nomi));
    return s;
}

}  // namespace

esito_anteprima compila_anteprima(const richiesta_compilazione& richiesta) {
    esito_anteprima esito;
    const identita_file nomi{richiesta.nome_scenario, richiesta.numero_treno};
    const std::filesystem::path linea = richiesta.sorgenti / nome_sorgente_linea(nomi);
    const std::filesystem::path treno = richiesta.sorgenti / nome_sorgente_treno(nomi);
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
        sorgenti_da_compilare sorgenti;
        sorgenti.nome_scenario = richiesta.nome_scenario;
        sorgenti.numero_treno = richiesta.numero_treno;
        sorgenti.sorgente_linea = leggi_file(linea);
        sorgenti.sorgente_treno = leggi_file(treno);
        sorgenti.j = richiesta.con_linea ? 1 : 0;
        // A message box of the two stamp checks becomes the diagnostic below.
        piattaforma_muta schermo;
        compilazione_privata compilazione(sorgenti, schermo);
        if (compilazione.stato().codice_errore != 0) {
            esito.diagnostiche.push_back(
                per_autore(compilazione.stato(), richiesta.sorgenti, compilazione.cartella()));
        }
        if (compilazione.file_scritti()) esito.scenario = leggi_compilato(compilazione);
    } catch (const guasto_file& e) {
        esito.diagnostiche.push_back(
            semplice("cannot write or read " + e.file() + ": " + e.causa()));
    } catch (const file_malformato& e) {
        esito.diagnostiche.push_back(
            semplice(std::string("a compiled file reads back wrong: ") + e.what()));
    } catch (const formato::insieme_incoerente& e) {
        esito.diagnostiche.push_back(
            semplice(std::string("the compiled files do not make one set: ") + e.what()));
    } catch (const std::exception& e) {
        esito.diagnostiche.push_back(
            semplice(std::string("failure during the generation: ") + e.what()));
    }
    return esito;
}

}  // namespace scenario::strumento
