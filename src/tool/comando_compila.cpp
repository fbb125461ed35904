#include "tool/comando_compila.h"

#include <array>
#include <exception>
#include <system_error>
#include <vector>

#include "model/guasto.h"
#include "model/nomi_file.h"
#include "model/stato_run.h"
#include "run/codici_errore.h"
#include "run/compilazione_privata.h"
#include "textfile/blocco_cartella.h"
#include "textfile/file_disco.h"
#include "tool/argomenti.h"
#include "tool/piattaforma_strumento.h"
#include "tool/stampa_diagnostiche.h"
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
    luogo_sorgente luogo = stato.luogo_errore;
    if (!luogo.file.empty()) luogo.file = nome_leggibile(sorgenti / luogo.file);
    std::string causa = stato.causa_guasto;
    sostituisci_tutto(causa, nome_leggibile(lavoro), nome_leggibile(sorgenti));
    sostituisci_tutto(causa, lavoro.string(), sorgenti.string());
    // A line ended by CR alone leaves the CR inside a field: show it, do not send it.
    sostituisci_tutto(causa, "\r", "\\r");
    return descrivi_errore(stato.codice_errore, stato.posizione_errore, luogo, causa);
}

bool esiste_file(const std::filesystem::path& file) {
    std::error_code ignora;
    return std::filesystem::is_regular_file(file, ignora);
}

// A missing source is told before anything is copied: the line source as the compiler's own
// code 101, the train source plainly (inside the compiler it would only be a code 25).
bool sorgenti_presenti(const identita_file& nomi, const richiesta_compilazione& richiesta,
                       std::ostream& errori) {
    std::filesystem::path linea = richiesta.sorgenti / nome_sorgente_linea(nomi);
    std::filesystem::path treno = richiesta.sorgenti / nome_sorgente_treno(nomi);
    bool presenti = true;
    if (!esiste_file(linea)) {
        errori << descrivi_errore(101, 0) << ": " << nome_leggibile(linea) << '\n';
        presenti = false;
    }
    if (!esiste_file(treno)) {
        errori << prefisso << "the train source " << nome_leggibile(treno) << " does not exist\n";
        presenti = false;
    }
    return presenti;
}

int nessun_file(std::ostream& errori, int stato) {
    errori << prefisso << "no binary file written\n";
    return stato;
}

}  // namespace

int compila(const richiesta_compilazione& richiesta, std::ostream& errori) {
    const identita_file nomi{richiesta.nome_scenario, richiesta.numero_treno};
    if (!sorgenti_presenti(nomi, richiesta, errori)) {
        return nessun_file(errori, uscita::nessun_file);
    }

    std::vector<std::string> scritti;
    std::int32_t codice = 0;
    try {
        // One run at a time writes into the output folder, so its files always come from one
        // compilation; it must exist to be held.
        std::error_code errore;
        std::filesystem::create_directories(richiesta.uscita, errore);
        if (errore) throw guasto_file(nome_leggibile(richiesta.uscita), errore.message());
        blocco_cartella blocco(richiesta.uscita, attesa_cartella, [&] {
            errori << prefisso << nome_leggibile(richiesta.uscita)
                   << " is in use by another run; waiting up to " << attesa_cartella.count() / 1000
                   << " s" << std::endl;
        });
        rimuovi_temporanei_rimasti(richiesta.uscita);

        sorgenti_da_compilare sorgenti;
        sorgenti.nome_scenario = richiesta.nome_scenario;
        sorgenti.numero_treno = richiesta.numero_treno;
        sorgenti.sorgente_linea = leggi_file(richiesta.sorgenti / nome_sorgente_linea(nomi));
        sorgenti.sorgente_treno = leggi_file(richiesta.sorgenti / nome_sorgente_treno(nomi));
        sorgenti.j = richiesta.con_linea ? 1 : 0;

        // The compiler stops at its first code as always; the warnings met on the way are told.
        raccolta_diagnostiche avvisi(false);
        sorgenti.diagnostiche = &avvisi;
        piattaforma_strumento schermo(errori);
        compilazione_privata compilazione(sorgenti, schermo);
        stampa_diagnostiche(avvisi.elenco(), formato_diagnostiche::testo,
                            {{nome_sorgente_linea(nomi), sorgenti.sorgente_linea},
                             {nome_sorgente_treno(nomi), sorgenti.sorgente_treno}},
                            richiesta.sorgenti.string(), errori);
        codice = compilazione.stato().codice_errore;
        if (!compilazione.file_scritti()) {
            errori << descrizione_per_autore(compilazione.stato(), richiesta.sorgenti,
                                             compilazione.cartella())
                   << '\n';
            return nessun_file(errori, uscita::nessun_file);
        }
        if (codice != 0) {
            errori << descrizione_per_autore(compilazione.stato(), richiesta.sorgenti,
                                             compilazione.cartella())
                   << '\n';
        }

        // The files change together, all or none, so the output never mixes two compilations.
        // Each is copied a block at a time: a long line's geometry is never held twice.
        const std::vector<std::string> nomi = compilazione.file_binari();
        std::vector<file_prodotto> insieme;
        for (const std::string& nome : nomi) {
            insieme.push_back(
                {richiesta.uscita / nome,
                 [&compilazione, nome](destinazione_byte& d) { compilazione.produci(nome, d); }});
        }
        sostituisci_file(insieme);
        for (std::size_t n = 0; n < nomi.size(); ++n) {
            scritti.push_back(nome_leggibile(insieme[n].file) + " (" +
                              std::to_string(compilazione.dimensione(nomi[n])) + " bytes)");
        }
    } catch (const cartella_occupata& e) {
        errori << prefisso << e.cartella() << " is still in use by another run after "
               << attesa_cartella.count() / 1000 << " s\n";
        return nessun_file(errori, uscita::guasto_sistema);
    } catch (const guasto_file& e) {
        for (const std::string& s : scritti) errori << prefisso << "wrote " << s << '\n';
        errori << prefisso << "cannot write or read " << e.file() << ": " << e.causa() << '\n';
        return uscita::guasto_sistema;
    } catch (const std::exception& e) {
        errori << prefisso << "failure during the generation: " << e.what() << '\n';
        return uscita::guasto_sistema;
    }

    for (const std::string& s : scritti) errori << prefisso << "wrote " << s << '\n';
    return codice == 0 ? uscita::riuscita : uscita::codice_registrato;
}

int comando_compila(const std::vector<std::string>& parole, std::ostream&, std::ostream& errori) {
    static constexpr std::array<opzione, 4> opzioni = {{
        {"scenario", '\0', true},
        {"train", '\0', true},
        {"no-line", '\0', false},
        {"out", '\0', true},
    }};
    argomenti a = analizza_argomenti(parole, opzioni);
    richiesta_compilazione richiesta;
    richiesta.sorgenti = percorso_utente(a.cartella_sorgenti());
    richiesta.nome_scenario = a.richiesto("scenario");
    richiesta.numero_treno = a.richiesto("train");
    verifica_nome(richiesta.nome_scenario, "scenario");
    verifica_nome(richiesta.numero_treno, "train");
    richiesta.con_linea = !a.ha("no-line");
    const std::string* fuori = a.valore("out");
    richiesta.uscita = fuori != nullptr ? percorso_utente(*fuori) : richiesta.sorgenti;
    return compila(richiesta, errori);
}

}  // namespace scenario::strumento
