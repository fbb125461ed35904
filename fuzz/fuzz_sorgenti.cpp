// Arbitrary bytes as the sources of the real compiler, cell pass, stamps and binary writers.
// Built three ways (FUZZ_SORGENTE): 1 the input is the line source and the train source is the
// built-in one; 2 the input is the train source and the line the built-in one (compiled without
// its geometry); 3 the input holds both, split at the first separatore_treno
// (without one, the train source is the built-in one).
// Whatever the bytes, the run must end with a code: any exception other than the stamp stop, any
// sanitizer report, and any broken promise about the files on disk is a finding.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

#include "fuzz/semi.h"
#include "model/nomi_file.h"
#include "model/stato_run.h"
#include "run/codici_errore.h"
#include "run/errore.h"
#include "run/memorizza_percorso.h"

#ifndef FUZZ_SORGENTE
#error "FUZZ_SORGENTE: 1 line source, 2 train source, 3 both"
#endif

namespace {

using namespace scenario;

class piattaforma_muta : public piattaforma {
  public:
    void mostra_attesa() override {}
    std::int32_t mostra_messaggio(const std::string&) override { return pulsante_ok; }
    void mostra_guasto(const std::string&) override {}
};

[[noreturn]] void scoperta(const std::string& testo) {
    std::fprintf(stderr, "fuzz_sorgenti: %s\n", testo.c_str());
    std::abort();
}

// One scratch folder per process, in memory where the system has one: every input writes its
// sources and up to three binary files there.
class cartella_lavoro {
  public:
    cartella_lavoro() {
        std::error_code errore;
        std::filesystem::path base = std::filesystem::is_directory("/dev/shm", errore)
                                         ? std::filesystem::path("/dev/shm")
                                         : std::filesystem::temp_directory_path();
        percorso = base / ("scenario_fuzz_" + std::to_string(getpid()));
        std::filesystem::create_directories(percorso);
    }
    ~cartella_lavoro() {
        std::error_code ignora;
        std::filesystem::remove_all(percorso, ignora);
    }
    std::filesystem::path percorso;
};

cartella_lavoro& lavoro() {
    static cartella_lavoro cartella;
    return cartella;
}

void scrivi(const std::filesystem::path& file, std::string_view contenuto) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(contenuto.data(), static_cast<std::streamsize>(contenuto.size()));
    if (!out) scoperta("impossibile scrivere " + file.string());
}

bool esiste(const std::filesystem::path& file) {
    std::error_code ignora;
    return std::filesystem::exists(file, ignora);
}

void verifica_cartella(const stato_run& stato, bool file_attesi) {
    const std::filesystem::path linea = percorso_file(stato, nome_file_linea(stato));
    const std::filesystem::path sim = percorso_file(stato, nome_file_sim(stato));
    const std::filesystem::path dat = percorso_file(stato, nome_file_dat(stato));
    for (const auto& voce : std::filesystem::directory_iterator(lavoro().percorso)) {
        if (voce.path().extension() == ".tmp") {
            scoperta("temporaneo rimasto: " + voce.path().string());
        }
    }
    // The line half deletes its source however it ends.
    if (esiste(percorso_file(stato, nome_sorgente_linea(stato)))) {
        scoperta("sorgente della linea rimasta");
    }
    if (!file_attesi) {
        if (esiste(linea) || esiste(sim) || esiste(dat)) {
            scoperta("file binari scritti senza celle");
        }
        return;
    }
    if ((stato.scrivi_linea != 0 && !esiste(linea)) || !esiste(sim) || !esiste(dat)) {
        scoperta("file binari mancanti");
    }
    const auto celle = static_cast<std::uintmax_t>(stato.ultima_cella) + 1;
    if (std::filesystem::file_size(dat) != 15 * celle) scoperta("lunghezza del .dat");
}

void compila(std::string_view sorgente_linea, std::string_view sorgente_treno, std::int32_t j = 1) {
    stato_run stato;
    stato.nome_scenario = fuzz::nome_scenario;
    stato.numero_treno = fuzz::numero_treno;
    stato.cartella = lavoro().percorso;
    std::error_code ignora;
    for (const std::string& nome : {nome_file_linea(stato), nome_file_sim(stato),
                                    nome_file_dat(stato), nome_sorgente_treno(stato)}) {
        std::filesystem::remove(percorso_file(stato, nome), ignora);
    }
    scrivi(percorso_file(stato, nome_sorgente_linea(stato)), sorgente_linea);
    scrivi(percorso_file(stato, nome_sorgente_treno(stato)), sorgente_treno);

    piattaforma_muta schermo;
    bool scritti = false;
    try {
        scritti = memorizza_percorso(stato, schermo, j);
    } catch (const fine_programma& fine) {
        if (fine.codice != 1250 && fine.codice != 1251) {
            scoperta("fine_programma con il codice " + std::to_string(fine.codice));
        }
    } catch (const std::exception& e) {
        scoperta(std::string("eccezione sfuggita alla compilazione: ") + e.what());
    }
    if (stato.codice_errore != 0 &&
        std::string_view(significato_codice(stato.codice_errore)) == "codice sconosciuto") {
        scoperta("codice sconosciuto " + std::to_string(stato.codice_errore));
    }
    verifica_cartella(stato, scritti);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione) {
    std::string_view ingresso(reinterpret_cast<const char*>(dati), dimensione);
#if FUZZ_SORGENTE == 1
    static const std::string treno = fuzz::sorgente_treno_incorporata();
    compila(ingresso, treno);
#elif FUZZ_SORGENTE == 2
    static const std::string linea = fuzz::sorgente_linea_incorporata();
    // Without the geometry, which the train half never touches: building 64 km of it for every
    // input would make this harness some twenty times slower.
    compila(linea, ingresso, 0);
#else
    static const std::string treno = fuzz::sorgente_treno_incorporata();
    std::size_t taglio = ingresso.find(fuzz::separatore_treno);
    if (taglio == std::string_view::npos) {
        compila(ingresso, treno);
    } else {
        compila(ingresso.substr(0, taglio),
                ingresso.substr(taglio + fuzz::separatore_treno.size()));
    }
#endif
    return 0;
}
