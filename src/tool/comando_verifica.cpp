#include "tool/comando_verifica.h"

#include <array>
#include <filesystem>
#include <system_error>

#include "model/guasto.h"
#include "model/nomi_file.h"
#include "textfile/file_disco.h"
#include "tool/argomenti.h"
#include "tool/piattaforma_strumento.h"
#include "tool/stampa_diagnostiche.h"
#include "tool/stati_uscita.h"
#include "verifica/verifica_sorgenti.h"

namespace scenario::strumento {

namespace {

constexpr const char* prefisso = "scenario-tool check: ";

formato_diagnostiche formato_da(const std::string* scritto) {
    if (scritto == nullptr || *scritto == "text") return formato_diagnostiche::testo;
    if (*scritto == "gcc") return formato_diagnostiche::gcc;
    if (*scritto == "json") return formato_diagnostiche::json;
    throw errore_uso("--format takes text, gcc or json, not '" + *scritto + "'");
}

// A source that is absent or cannot be read is told plainly; false then.
bool leggi_sorgente(const std::filesystem::path& file, std::string& contenuto,
                    std::ostream& errori) {
    std::error_code ignora;
    if (!std::filesystem::is_regular_file(file, ignora)) {
        errori << prefisso << nome_leggibile(file) << " does not exist\n";
        return false;
    }
    try {
        contenuto = leggi_file(file);
    } catch (const guasto_file& e) {
        errori << prefisso << "cannot read " << e.file() << ": " << e.causa() << '\n';
        return false;
    }
    return true;
}

}  // namespace

int comando_verifica(const std::vector<std::string>& parole, std::ostream& uscita_,
                     std::ostream& errori) {
    static constexpr std::array<opzione, 4> opzioni = {{
        {"scenario", '\0', true},
        {"train", '\0', true},
        {"no-line", '\0', false},
        {"format", '\0', true},
    }};
    argomenti a = analizza_argomenti(parole, opzioni);
    const std::filesystem::path cartella = percorso_utente(a.cartella_sorgenti());
    sorgenti_da_compilare sorgenti;
    sorgenti.nome_scenario = a.richiesto("scenario");
    sorgenti.numero_treno = a.richiesto("train");
    verifica_nome(sorgenti.nome_scenario, "scenario");
    verifica_nome(sorgenti.numero_treno, "train");
    sorgenti.j = a.ha("no-line") ? 0 : 1;
    const formato_diagnostiche formato = formato_da(a.valore("format"));

    const identita_file nomi{sorgenti.nome_scenario, sorgenti.numero_treno};
    const std::string nome_linea = nome_sorgente_linea(nomi);
    const std::string nome_treno = nome_sorgente_treno(nomi);
    bool lette = leggi_sorgente(cartella / nome_linea, sorgenti.sorgente_linea, errori);
    lette = leggi_sorgente(cartella / nome_treno, sorgenti.sorgente_treno, errori) && lette;
    if (!lette) return uscita::nessun_file;

    const std::vector<diagnostica> elenco = verifica_sorgenti(sorgenti);
    sorgenti_citate citate{{nome_linea, sorgenti.sorgente_linea},
                           {nome_treno, sorgenti.sorgente_treno}};
    stampa_diagnostiche(elenco, formato, citate, cartella.string(), uscita_);
    for (const diagnostica& d : elenco) {
        if (d.livello == gravita::errore) return uscita::codice_registrato;
    }
    return uscita::riuscita;
}

}  // namespace scenario::strumento
