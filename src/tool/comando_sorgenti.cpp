#include "tool/comando_sorgenti.h"

#include <array>
#include <system_error>

#include "line/sorgente_linea.h"
#include "model/guasto.h"
#include "model/nomi_file.h"
#include "run/form_load.h"
#include "textfile/blocco_cartella.h"
#include "textfile/file_disco.h"
#include "textfile/scrittore_testo.h"
#include "tool/argomenti.h"
#include "tool/piattaforma_strumento.h"
#include "tool/stati_uscita.h"
#include "train/sorgente_treno.h"

namespace scenario::strumento {

namespace {

constexpr const char* prefisso = "scenario-tool sources: ";

}  // namespace

int esporta_sorgenti(const richiesta_sorgenti& richiesta, std::ostream& errori) {
    const identita_file nomi{richiesta.nome_scenario, richiesta.numero_treno};
    const std::array<std::pair<std::filesystem::path, std::string>, 2> file = {{
        {richiesta.cartella / nome_sorgente_linea(nomi), testo_da_elenco(elenco_sorgente_linea())},
        {richiesta.cartella / nome_sorgente_treno(nomi), testo_da_elenco(elenco_sorgente_treno())},
    }};

    if (!richiesta.sovrascrivi) {
        bool presente = false;
        for (const auto& [percorso, byte] : file) {
            std::error_code ignora;
            if (std::filesystem::exists(percorso, ignora)) {
                errori << prefisso << nome_leggibile(percorso) << " already exists\n";
                presente = true;
            }
        }
        if (presente) {
            errori << prefisso << "nothing written (--force replaces existing files)\n";
            return uscita::nessun_file;
        }
    }

    try {
        std::error_code errore;
        std::filesystem::create_directories(richiesta.cartella, errore);
        if (errore) throw guasto_file(nome_leggibile(richiesta.cartella), errore.message());
        // Not while a compilation reads the sources or writes beside them.
        blocco_cartella blocco(richiesta.cartella, attesa_cartella, [&] {
            errori << prefisso << nome_leggibile(richiesta.cartella)
                   << " is in use by another run; waiting up to " << attesa_cartella.count() / 1000
                   << " s" << std::endl;
        });
        rimuovi_temporanei_rimasti(richiesta.cartella);
        for (const auto& [percorso, byte] : file) {
            sostituisci_file(percorso, byte);
            errori << prefisso << "wrote " << nome_leggibile(percorso) << '\n';
        }
    } catch (const cartella_occupata& e) {
        errori << prefisso << e.cartella() << " is still in use by another run after "
               << attesa_cartella.count() / 1000 << " s; nothing written\n";
        return uscita::guasto_sistema;
    } catch (const guasto_file& e) {
        errori << prefisso << "cannot write " << e.file() << ": " << e.causa() << '\n';
        return uscita::guasto_sistema;
    }
    return uscita::riuscita;
}

int comando_sorgenti(const std::vector<std::string>& parole, std::ostream&, std::ostream& errori) {
    static constexpr std::array<opzione, 3> opzioni = {{
        {"scenario", '\0', true},
        {"train", '\0', true},
        {"force", '\0', false},
    }};
    argomenti a = analizza_argomenti(parole, opzioni);
    if (a.posizionali.size() != 1) {
        throw errore_uso(a.posizionali.empty()
                             ? "missing the folder to write into"
                             : "one folder only, got " + std::to_string(a.posizionali.size()) +
                                   " words");
    }
    richiesta_sorgenti richiesta;
    richiesta.cartella = percorso_utente(a.posizionali[0]);
    const std::string* nome = a.valore("scenario");
    const std::string* numero = a.valore("train");
    richiesta.nome_scenario = nome != nullptr ? *nome : nome_scenario_predefinito;
    richiesta.numero_treno = numero != nullptr ? *numero : numero_treno_predefinito;
    verifica_nome(richiesta.nome_scenario, "scenario");
    verifica_nome(richiesta.numero_treno, "train");
    richiesta.sovrascrivi = a.ha("force");
    return esporta_sorgenti(richiesta, errori);
}

}  // namespace scenario::strumento
