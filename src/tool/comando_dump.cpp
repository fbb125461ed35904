#include "tool/comando_dump.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "model/guasto.h"
#include "output/coerenza_insieme.h"
#include "output/formato_file.h"
#include "output/geometria_in_byte.h"
#include "output/lettore_byte.h"
#include "textfile/file_disco.h"
#include "tool/argomenti.h"
#include "tool/lettura_compilati.h"
#include "tool/lettura_regolare.h"
#include "tool/piattaforma_strumento.h"
#include "tool/stampa_dump.h"
#include "tool/stati_uscita.h"

namespace scenario::strumento {

namespace {

constexpr const char* prefisso = "scenario-tool dump: ";

bool finisce_con(std::string nome, std::string_view coda) {
    if (nome.size() < coda.size()) return false;
    std::transform(nome.begin(), nome.end(), nome.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return nome.compare(nome.size() - coda.size(), coda.size(), coda) == 0;
}

// A ".dat" or "_linea.dat" against each record table of its set that lies beside it: a file cut
// at a whole cell or element decodes, and only the line length shows it short. Without a record
// table there is nothing to check against.
void verifica_con_i_punti(const std::filesystem::path& file, bool geometria, std::size_t quanti) {
    for (const punti_insieme& sim : punti_dello_stesso_insieme(file, geometria)) {
        std::int32_t lunghezza = 0;
        try {
            lunghezza = formato::lunghezza_registrata(sim.punti);
        } catch (const file_malformato&) {
            continue;  // reported when that file is dumped
        }
        const std::string nome = nome_leggibile(sim.file);
        geometria ? formato::verifica_metri(lunghezza, quanti, nome)
                  : formato::verifica_celle(lunghezza, quanti, nome);
    }
}

}  // namespace

std::optional<tipo_file> tipo_da_nome(const std::filesystem::path& file) {
    std::string nome = file.filename().string();
    if (finisce_con(nome, "_linea.dat")) return tipo_file::geometria;
    if (finisce_con(nome, ".dat")) return tipo_file::celle;
    if (finisce_con(nome, ".sim")) return tipo_file::punti;
    return std::nullopt;
}

int comando_dump(const std::vector<std::string>& parole, std::ostream& uscita,
                 std::ostream& errori) {
    static constexpr std::array<opzione, 3> opzioni_ammesse = {{
        {"json", '\0', false},
        {"all", '\0', false},
        {"step", '\0', true},
    }};
    argomenti a = analizza_argomenti(parole, opzioni_ammesse);
    if (a.posizionali.size() != 1) {
        throw errore_uso(a.posizionali.empty()
                             ? "missing the file to decode"
                             : "one file only, got " + std::to_string(a.posizionali.size()) +
                                   " words");
    }
    std::filesystem::path file = percorso_utente(a.posizionali[0]);
    std::optional<tipo_file> tipo = tipo_da_nome(file);
    if (!tipo) {
        throw errore_uso("cannot tell the kind of " + file.filename().string() +
                         " from its name: expected a name ending in _linea.dat, .dat or .sim");
    }
    opzioni_dump opzioni;
    opzioni.json = a.ha("json");
    opzioni.tutti = a.ha("all");
    if (const std::string* passo = a.valore("step")) {
        if (*tipo != tipo_file::geometria)
            throw errore_uso("--step applies to a _linea.dat file only");
        opzioni.passo = intero_positivo(*passo, "step");
    }

    return esito_lettura_compilati(prefisso, file, errori, [&] {
        switch (*tipo) {
            case tipo_file::geometria: {
                // Walked in place: the memory is the file's size, whatever its elements.
                const formato::geometria_in_byte geometria(
                    leggi_file_regolare(file, formato::byte_geometria_massimo));
                verifica_con_i_punti(file, true,
                                     static_cast<std::size_t>(geometria.ultimo_metro()) + 1);
                stampa_geometria(geometria, opzioni, uscita);
                break;
            }
            case tipo_file::celle: {
                std::vector<cella> celle = leggi_celle(file);
                verifica_con_i_punti(file, false, celle.size());
                stampa_celle(celle, opzioni, uscita);
                break;
            }
            case tipo_file::punti: {
                std::vector<punto> punti = leggi_punti(file);
                (void)formato::lunghezza_registrata(punti);
                stampa_punti(punti, opzioni, uscita);
                break;
            }
        }
    });
}

}  // namespace scenario::strumento
