#include "run/compilazione_privata.h"

#include <algorithm>
#include <fstream>
#include <string_view>
#include <system_error>
#include <vector>

#include "model/guasto.h"
#include "model/nomi_file.h"
#include "run/errore.h"
#include "run/memorizza_percorso.h"
#include "textfile/file_disco.h"
#include "verifica/sorveglianza.h"

namespace scenario {

namespace {

// Plain writes: the folder is ours and fresh, so nothing older can be half-replaced.
void scrivi(const std::filesystem::path& file, const std::string& contenuto) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(contenuto.data(), static_cast<std::streamsize>(contenuto.size()));
    out.close();
    if (!out) throw guasto_file(nome_leggibile(file), "scrittura non riuscita");
}

}  // namespace

compilazione_privata::compilazione_privata(const sorgenti_da_compilare& sorgenti,
                                           piattaforma& schermo) {
    stato_.nome_scenario = sorgenti.nome_scenario;
    stato_.numero_treno = sorgenti.numero_treno;
    if (sorgenti.in_memoria) {
        stato_.archivio = &memoria_;
        memoria_.metti(nome_sorgente_linea(stato_), sorgenti.sorgente_linea);
        memoria_.metti(nome_sorgente_treno(stato_), sorgenti.sorgente_treno);
    } else {
        cartella_.emplace("scenario-", sorgenti.base);
        stato_.cartella = cartella_->percorso();
        scrivi(percorso_file(stato_, nome_sorgente_linea(stato_)), sorgenti.sorgente_linea);
        scrivi(percorso_file(stato_, nome_sorgente_treno(stato_)), sorgenti.sorgente_treno);
    }
    stato_.diagnostiche = sorgenti.diagnostiche;
    esamina_testo_sorgente(stato_, sorgenti.sorgente_linea, nome_sorgente_linea(stato_));
    esamina_testo_sorgente(stato_, sorgenti.sorgente_treno, nome_sorgente_treno(stato_));
    try {
        scritti_ = memorizza_percorso(stato_, schermo, sorgenti.j);
    } catch (const fine_programma& fine) {
        // The stamp checks stop before anything is written; the code is what the caller needs.
        fermata_ = true;
        stato_.codice_errore = fine.codice;
        stato_.luogo_errore = {};
    }
    concludi_diagnostiche(stato_);
    // The sink belongs to the caller and may go before this object.
    stato_.diagnostiche = nullptr;
}

std::vector<std::string> compilazione_privata::file_binari() const {
    if (!scritti_) return {};
    std::vector<std::string> nomi;
    if (stato_.scrivi_linea != 0) nomi.push_back(nome_file_linea(stato_));
    nomi.push_back(nome_file_sim(stato_));
    nomi.push_back(nome_file_dat(stato_));
    return nomi;
}

std::vector<std::string> compilazione_privata::file_presenti() const {
    if (!cartella_) return memoria_.nomi();
    std::vector<std::string> nomi;
    std::error_code errore;
    for (const auto& voce : std::filesystem::directory_iterator(cartella_->percorso(), errore)) {
        nomi.push_back(voce.path().filename().string());
    }
    if (errore) throw guasto_file(nome_leggibile(cartella_->percorso()), errore.message());
    std::sort(nomi.begin(), nomi.end());
    return nomi;
}

std::uintmax_t compilazione_privata::dimensione(const std::string& nome) const {
    if (!cartella_) return memoria_.dimensione(nome);
    std::error_code errore;
    const std::uintmax_t n = std::filesystem::file_size(*cartella_ / nome, errore);
    if (errore) throw guasto_file(nome_leggibile(*cartella_ / nome), errore.message());
    return n;
}

void compilazione_privata::produci(const std::string& nome, destinazione_byte& destinazione) const {
    if (!cartella_) {
        destinazione.ricevi(memoria_.leggi(nome));
        return;
    }
    const std::filesystem::path file = *cartella_ / nome;
    std::ifstream in(file, std::ios::binary);
    if (!in.is_open()) throw guasto_file(nome_leggibile(file), "lettura non riuscita");
    std::vector<char> blocco(std::size_t{256} * 1024);
    while (in.read(blocco.data(), static_cast<std::streamsize>(blocco.size())) || in.gcount() > 0) {
        destinazione.ricevi(std::string_view(blocco.data(), static_cast<std::size_t>(in.gcount())));
    }
    if (in.bad()) throw guasto_file(nome_leggibile(file), "lettura non riuscita");
}

std::string compilazione_privata::leggi(const std::string& nome) const {
    if (!cartella_) return memoria_.leggi(nome);
    return leggi_file(*cartella_ / nome);
}

}  // namespace scenario
