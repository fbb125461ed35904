#include "tool/comando_disegna.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

#include "model/guasto.h"
#include "model/nomi_file.h"
#include "output/coerenza_insieme.h"
#include "output/lettore_byte.h"
#include "textfile/file_disco.h"
#include "tool/argomenti.h"
#include "tool/disegno.h"
#include "tool/lettura_compilati.h"
#include "tool/lettura_regolare.h"
#include "tool/piattaforma_strumento.h"
#include "tool/scrittura_destinazione.h"
#include "tool/stati_uscita.h"

namespace scenario::strumento {

namespace {

constexpr const char* prefisso = "scenario-tool render: ";

std::string disegno_km(double metri) {
    char testo[48];
    std::snprintf(testo, sizeof testo, "%g", metri / 1000.0);
    return testo;
}

// A distance in km: a plain decimal number, not negative.
double chilometri(const std::string& testo, std::string_view opzione) {
    double valore = 0;
    auto [fine, errore] = std::from_chars(testo.data(), testo.data() + testo.size(), valore);
    if (errore != std::errc{} || fine != testo.data() + testo.size() || !std::isfinite(valore) ||
        valore < 0 || valore > 1000000) {
        throw errore_uso("--" + std::string(opzione) +
                         " takes a distance in km from the start (such as 12.5), got '" + testo +
                         "'");
    }
    return valore;
}

}  // namespace

int disegna(const richiesta_disegno& richiesta, std::ostream& errori) {
    const identita_file nomi{richiesta.nome_scenario, richiesta.numero_treno};
    std::filesystem::path linea = richiesta.cartella / nome_file_linea(nomi);
    std::filesystem::path sim = richiesta.cartella / nome_file_sim(nomi);
    std::filesystem::path dat = richiesta.cartella / nome_file_dat(nomi);

    scenario_compilato s;
    s.nome_scenario = richiesta.nome_scenario;
    s.numero_treno = richiesta.numero_treno;
    std::filesystem::path in_lettura;
    // Each file read, then the set against the line length its records hold.
    auto leggi = [&] {
        in_lettura = sim;
        s.punti = leggi_punti(sim);
        in_lettura = dat;
        s.celle = leggi_celle(dat);
        // A scenario compiled with --no-line has no geometry: the page then has no plan. A FIFO
        // or a device standing there is refused like any other file that is not regular.
        std::error_code ignora;
        if (std::filesystem::exists(linea, ignora)) {
            in_lettura = linea;
            s.geometria = leggi_geometria(linea);
        }
        in_lettura = sim;
        std::int32_t lunghezza = formato::lunghezza_registrata(s.punti);
        in_lettura = dat;
        formato::verifica_celle(lunghezza, s.celle.size(), nome_leggibile(sim));
        if (s.geometria) {
            in_lettura = linea;
            formato::verifica_metri(lunghezza,
                                    static_cast<std::size_t>(s.geometria->ultimo_metro()) + 1,
                                    nome_leggibile(sim));
        }
    };
    if (int stato = esito_lettura_compilati(prefisso, in_lettura, errori, leggi);
        stato != uscita::riuscita) {
        return stato;
    }

    tratto_linea tratto = tratto_intero(s);
    if (richiesta.da_km) tratto.da = *richiesta.da_km * 1000.0;
    if (richiesta.a_km) tratto.a = *richiesta.a_km * 1000.0;
    if (!(tratto.a > tratto.da)) {
        errori << prefisso << "the stretch from " << disegno_km(tratto.da) << " to "
               << disegno_km(tratto.a) << " km is empty: --to must be beyond --from\n";
        return uscita::uso;
    }
    try {
        scrivi_destinazione(richiesta.svg, disegna_svg(s, tratto));
    } catch (const guasto_file& e) {
        errori << prefisso << "cannot write " << e.file() << ": " << e.causa() << '\n';
        return uscita::guasto_sistema;
    }
    errori << prefisso << "wrote " << nome_leggibile(richiesta.svg) << '\n';
    return uscita::riuscita;
}

int comando_disegna(const std::vector<std::string>& parole, std::ostream&, std::ostream& errori) {
    static constexpr std::array<opzione, 5> opzioni = {{
        {"scenario", '\0', true},
        {"train", '\0', true},
        {"output", 'o', true},
        {"from", '\0', true},
        {"to", '\0', true},
    }};
    argomenti a = analizza_argomenti(parole, opzioni);
    if (a.posizionali.size() != 1) {
        throw errore_uso(a.posizionali.empty()
                             ? "missing the folder of the compiled files"
                             : "one folder only, got " + std::to_string(a.posizionali.size()) +
                                   " words");
    }
    richiesta_disegno richiesta;
    richiesta.cartella = percorso_utente(a.posizionali[0]);
    richiesta.nome_scenario = a.richiesto("scenario");
    richiesta.numero_treno = a.richiesto("train");
    verifica_nome(richiesta.nome_scenario, "scenario");
    verifica_nome(richiesta.numero_treno, "train");
    richiesta.svg = percorso_utente(a.richiesto("output"));
    if (const std::string* da = a.valore("from")) richiesta.da_km = chilometri(*da, "from");
    if (const std::string* fino = a.valore("to")) richiesta.a_km = chilometri(*fino, "to");
    return disegna(richiesta, errori);
}

}  // namespace scenario::strumento
