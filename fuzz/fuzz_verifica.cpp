// Arbitrary bytes through check's keep-going mode: the readers report and resume at the next
// line, the cell pass runs on what was read, and one of the three printed forms quotes the
// sources.
// The input is split like fuzz_entrambe's (line source, separatore_treno, train source; without
// the separator the train source is the built-in one). Findings: an exception that escapes, a
// code not in the table, a diagnostic without its name or place, and the compiler's first code
// missing from check's errors.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <sstream>
#include <string>
#include <string_view>

#include "fuzz/semi.h"
#include "run/codici_errore.h"
#include "run/compilazione_privata.h"
#include "run/piattaforma.h"
#include "tool/stampa_diagnostiche.h"
#include "verifica/verifica_sorgenti.h"

namespace {

using namespace scenario;

[[noreturn]] void scoperta(const std::string& testo) {
    std::fprintf(stderr, "fuzz_verifica: %s\n", testo.c_str());
    std::abort();
}

sorgenti_da_compilare sorgenti(std::string_view linea, std::string_view treno) {
    sorgenti_da_compilare s;
    s.nome_scenario = fuzz::nome_scenario;
    s.numero_treno = fuzz::numero_treno;
    s.sorgente_linea = linea;
    s.sorgente_treno = treno;
    return s;
}

void verifica(std::string_view linea, std::string_view treno) {
    const sorgenti_da_compilare s = sorgenti(linea, treno);
    try {
        const std::vector<diagnostica> elenco = verifica_sorgenti(s);
        for (const diagnostica& d : elenco) {
            if (d.livello == gravita::errore && !codice_noto(d.codice)) {
                scoperta("codice sconosciuto " + std::to_string(d.codice));
            }
            if (d.livello == gravita::avviso && d.nome.empty()) scoperta("avviso senza nome");
            if (d.riga < 0 || d.colonna < 0) scoperta("posto negativo");
        }

        // The compiler's first code, as it records it, is among check's errors.
        sorgenti_da_compilare compilate = s;
        raccolta_diagnostiche avvisi(false);
        compilate.diagnostiche = &avvisi;
        compilate.in_memoria = true;
        piattaforma_muta schermo;
        compilazione_privata compilazione(compilate, schermo);
        if (const auto& primo = avvisi.primo_codice()) {
            bool trovato = false;
            for (const diagnostica& d : elenco) {
                trovato |= d.livello == gravita::errore && d.codice == primo->codice &&
                           (!primo->con_posizione || d.posizione == primo->posizione) &&
                           (primo->luogo.file.empty() ||
                            (d.file == primo->luogo.file && d.riga == primo->luogo.riga));
            }
            if (!trovato) scoperta("primo codice " + std::to_string(primo->codice) + " assente");
        }

        // One printed form per input, by its length: each form still meets every kind of
        // list, and an input costs one printing instead of three.
        const strumento::sorgenti_citate citate{{"linea", std::string(linea)},
                                                {"treno", std::string(treno)}};
        constexpr strumento::formato_diagnostiche forme[] = {strumento::formato_diagnostiche::testo,
                                                             strumento::formato_diagnostiche::gcc,
                                                             strumento::formato_diagnostiche::json};
        std::ostringstream out;
        strumento::stampa_diagnostiche(elenco, forme[(linea.size() + treno.size()) % 3], citate,
                                       "dir", out);
    } catch (const std::exception& e) {
        scoperta(std::string("eccezione sfuggita alla verifica: ") + e.what());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione) {
    std::string_view ingresso(reinterpret_cast<const char*>(dati), dimensione);
    static const std::string treno = fuzz::sorgente_treno_incorporata();
    std::size_t taglio = ingresso.find(fuzz::separatore_treno);
    if (taglio == std::string_view::npos) {
        verifica(ingresso, treno);
    } else {
        verifica(ingresso.substr(0, taglio),
                 ingresso.substr(taglio + fuzz::separatore_treno.size()));
    }
    return 0;
}
