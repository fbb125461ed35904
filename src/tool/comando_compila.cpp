#include "tool/comando_compila.h"

#include <array>
#include <exception>
#include <system_error>
#include <vector>

#include "model/guasto.h"
#include "model/nomi_file.h"
#include "model/stato_run.h"
#include "run/codici_errore.h"
#include "run/errore.h"
#include "run/memorizza_percorso.h"
#include "textfile/file_disco.h"
#include "tool/argomenti.h"
#include "tool/cartella_lavoro.h"
#include "tool/piattaforma_strumento.h"
#include "tool/stati_uscita.h"

namespace scenario::strumento {

namespace {

constexpr const char* prefisso = "scenario-tool compile: ";

void sostituisci_tutto(std::string& testo, const std::string& vecchio, const std::string& nuovo) {
    if (vecchio.empty()) return;
    for (std::size_t da = testo.find(vecchio); da != std::string::npos;
         da = testo.find(vecchio, da + nuovo.size())) {
        testo.replace(da, vecchio.size(), nuovo);
    }
}

// The compiler names the copy it read; the author wants to see their own file.
std::string descrizione_per_autore(const stato_run& stato, const std::filesystem::path& sorgenti,
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
    return descrivi_errore(breve);
}

void copia(const std::filesystem::path& da, const std::filesystem::path& a) {
    std::error_code errore;
    std::filesystem::copy_file(da, a, std::filesystem::copy_options::overwrite_existing, errore);
    if (errore) throw guasto_file(nome_leggibile(da), errore.message());
}

bool esiste_file(const std::filesystem::path& file) {
    std::error_code ignora;
    return std::filesystem::is_regular_file(file, ignora);
}

// A missing source is told before anything is copied: the line source as the compiler's own
// code 101, the train source plainly (inside the compiler it would only be a code 25).
bool sorgenti_presenti(const stato_run& nomi, const richiesta_compilazione& richiesta,
                       std::ostream& errori) {
    std::filesystem::path linea = richiesta.sorgenti / nome_sorgente_linea(nomi);
    std::filesystem::path treno = richiesta.sorgenti / nome_sorgente_treno(nomi);
    bool presenti = true;
    if (!esiste_file(linea)) {
        stato_run codice;
        codice.codice_errore = 101;
        errori << descrivi_errore(codice) << ": " << nome_leggibile(linea) << '\n';
        presenti = false;
    }
    if (!esiste_file(treno)) {
        errori << prefisso << "the train source " << nome_leggibile(treno) << " does not exist\n";
        presenti = false;
    }
    return presenti;
}

std::vector<std::string> file_prodotti(const stato_run& stato) {
    std::vector<std::string> nomi;
    if (stato.scrivi_linea != 0) nomi.push_back(nome_file_linea(stato));
    nomi.push_back(nome_file_sim(stato));
    nomi.push_back(nome_file_dat(stato));
    return nomi;
}

int nessun_file(std::ostream& errori, int stato) {
    errori << prefisso << "no binary file written\n";
    return stato;
}

}  // namespace

int compila(const richiesta_compilazione& richiesta, std::ostream& errori) {
    stato_run stato;
    stato.nome_scenario = richiesta.nome_scenario;
    stato.numero_treno = richiesta.numero_treno;
    if (!sorgenti_presenti(stato, richiesta, errori)) {
        return nessun_file(errori, uscita::nessun_file);
    }

    std::vector<std::string> scritti;
    try {
        cartella_lavoro lavoro;
        stato.cartella = lavoro.percorso();
        copia(richiesta.sorgenti / nome_sorgente_linea(stato),
              lavoro.percorso() / nome_sorgente_linea(stato));
        copia(richiesta.sorgenti / nome_sorgente_treno(stato),
              lavoro.percorso() / nome_sorgente_treno(stato));

        piattaforma_strumento schermo(errori);
        bool completata = false;
        try {
            completata = memorizza_percorso(stato, schermo, richiesta.con_linea ? 1 : 0);
        } catch (const fine_programma& fine) {
            stato.codice_errore = fine.codice;
            stato.luogo_errore = {};
        }
        if (!completata) {
            errori << descrizione_per_autore(stato, richiesta.sorgenti, lavoro.percorso()) << '\n';
            return nessun_file(errori, uscita::nessun_file);
        }
        if (stato.codice_errore != 0) {
            errori << descrizione_per_autore(stato, richiesta.sorgenti, lavoro.percorso()) << '\n';
        }

        std::error_code errore;
        std::filesystem::create_directories(richiesta.uscita, errore);
        if (errore) throw guasto_file(nome_leggibile(richiesta.uscita), errore.message());
        // Copied, not renamed: the working folder may sit on another file system. The files
        // change together, all or none, so the output never mixes two compilations.
        const std::vector<std::string> nomi = file_prodotti(stato);
        std::vector<std::string> contenuti;
        for (const std::string& nome : nomi)
            contenuti.push_back(leggi_file(lavoro.percorso() / nome));
        std::vector<contenuto_file> insieme;
        for (std::size_t n = 0; n < nomi.size(); ++n) {
            insieme.push_back({richiesta.uscita / nomi[n], contenuti[n]});
        }
        sostituisci_file(insieme);
        for (const contenuto_file& f : insieme) {
            scritti.push_back(nome_leggibile(f.file) + " (" + std::to_string(f.contenuto.size()) +
                              " bytes)");
        }
    } catch (const guasto_file& e) {
        for (const std::string& s : scritti) errori << prefisso << "wrote " << s << '\n';
        errori << prefisso << "cannot write or read " << e.file() << ": " << e.causa() << '\n';
        return uscita::guasto_sistema;
    } catch (const std::exception& e) {
        errori << prefisso << "failure during the generation: " << e.what() << '\n';
        return uscita::guasto_sistema;
    }

    for (const std::string& s : scritti) errori << prefisso << "wrote " << s << '\n';
    return stato.codice_errore == 0 ? uscita::riuscita : uscita::codice_registrato;
}

int comando_compila(const std::vector<std::string>& parole, std::ostream&, std::ostream& errori) {
    static constexpr std::array<opzione, 4> opzioni = {{
        {"scenario", '\0', true},
        {"train", '\0', true},
        {"no-line", '\0', false},
        {"out", '\0', true},
    }};
    argomenti a = analizza_argomenti(parole, opzioni);
    if (a.posizionali.size() != 1) {
        throw errore_uso(a.posizionali.empty()
                             ? "missing the folder of the sources"
                             : "one folder only, got " + std::to_string(a.posizionali.size()) +
                                   " words");
    }
    richiesta_compilazione richiesta;
    richiesta.sorgenti = a.posizionali[0];
    richiesta.nome_scenario = a.richiesto("scenario");
    richiesta.numero_treno = a.richiesto("train");
    verifica_nome(richiesta.nome_scenario, "scenario");
    verifica_nome(richiesta.numero_treno, "train");
    richiesta.con_linea = !a.ha("no-line");
    const std::string* fuori = a.valore("out");
    richiesta.uscita = fuori != nullptr ? std::filesystem::path(*fuori) : richiesta.sorgenti;
    return compila(richiesta, errori);
}

}  // namespace scenario::strumento
