// Arbitrary bytes as the sources of the real compiler, cell pass, stamps and binary writers.
// Built three ways (FUZZ_SORGENTE): 1 the input is the line source and the train source is the
// built-in one; 2 the input is the train source and the line the built-in one (compiled without
// its geometry); 3 the input holds both, split at the first separatore_treno
// (without one, the train source is the built-in one).
// Whatever the bytes, the run must end with a code: any exception other than the stamp stop, any
// sanitizer report, and any broken promise about the files written is a finding. The files are
// held in memory (the compiler's own file operations, no disk), so that the fuzzer runs
// thousands of inputs a second.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/semi.h"
#include "model/nomi_file.h"
#include "model/stato_run.h"
#include "output/formato_file.h"
#include "run/codici_errore.h"
#include "run/compilazione_privata.h"

#ifndef FUZZ_SORGENTE
#error "FUZZ_SORGENTE: 1 line source, 2 train source, 3 both"
#endif

namespace {

using namespace scenario;

[[noreturn]] void scoperta(const std::string& testo) {
    std::fprintf(stderr, "fuzz_sorgenti: %s\n", testo.c_str());
    std::abort();
}

constexpr std::int32_t metri_geometria_misurata = 5000;

bool presente(const std::vector<std::string>& nomi, const std::string& nome) {
    return std::find(nomi.begin(), nomi.end(), nome) != nomi.end();
}

void verifica_cartella(const compilazione_privata& c) {
    const stato_run& stato = c.stato();
    const std::vector<std::string> nomi = c.file_presenti();
    for (const std::string& nome : nomi) {
        if (std::filesystem::path(nome).extension() == ".tmp")
            scoperta("temporaneo rimasto: " + nome);
    }
    // The line half deletes its source however it ends.
    if (presente(nomi, nome_sorgente_linea(stato))) scoperta("sorgente della linea rimasta");
    const bool linea = presente(nomi, nome_file_linea(stato));
    const bool sim = presente(nomi, nome_file_sim(stato));
    const bool dat = presente(nomi, nome_file_dat(stato));
    if (!c.file_scritti()) {
        if (linea || sim || dat) scoperta("file binari scritti senza celle");
        return;
    }
    if ((stato.scrivi_linea != 0 && !linea) || !sim || !dat) scoperta("file binari mancanti");
    const auto celle = static_cast<std::size_t>(stato.ultima_cella) + 1;
    if (c.dimensione(nome_file_dat(stato)) != formato::inizio_cella(celle)) {
        scoperta("lunghezza del .dat");
    }
    // The geometry is encoded whole, every element, and counted rather than kept: one element
    // per metre and component, each of 2 to 10 bytes. Only for short lines: stepping the recorded
    // stretches and encoding them is the same code at any length, and a long line would spend
    // the input's time on arithmetic no byte of it steers.
    if (linea && stato.lunghezza_estesa <= metri_geometria_misurata) {
        const auto elementi = 2 * (static_cast<std::uintmax_t>(stato.lunghezza_estesa) + 1);
        const std::uintmax_t byte = c.dimensione(nome_file_linea(stato));
        if (byte < elementi * formato::byte_codice_elemento ||
            byte > elementi * formato::byte_elemento_massimo) {
            scoperta("lunghezza della geometria " + std::to_string(byte));
        }
    }
}

void compila(std::string_view sorgente_linea, std::string_view sorgente_treno, std::int32_t j = 1) {
    sorgenti_da_compilare sorgenti;
    sorgenti.nome_scenario = fuzz::nome_scenario;
    sorgenti.numero_treno = fuzz::numero_treno;
    sorgenti.sorgente_linea = sorgente_linea;
    sorgenti.sorgente_treno = sorgente_treno;
    sorgenti.j = j;
    // The compiler's own file operations, on files held in memory: no folder, no disk.
    sorgenti.in_memoria = true;
    piattaforma_muta schermo;
    try {
        compilazione_privata c(sorgenti, schermo);
        const stato_run& stato = c.stato();
        if (c.fermata_dai_timbri() && stato.codice_errore != 1250 && stato.codice_errore != 1251) {
            scoperta("fine_programma con il codice " + std::to_string(stato.codice_errore));
        }
        if (stato.codice_errore != 0 && !codice_noto(stato.codice_errore)) {
            scoperta("codice sconosciuto " + std::to_string(stato.codice_errore));
        }
        verifica_cartella(c);
    } catch (const std::exception& e) {
        scoperta(std::string("eccezione sfuggita alla compilazione: ") + e.what());
    }
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
