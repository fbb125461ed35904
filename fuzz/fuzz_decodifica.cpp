// Malformed compiled files through the readers of dump and render: the decoders, the checks of
// the set against the line length, dump's text and JSON forms and render's SVG page.
// The input is the three files one after the other: two little-endian u16 give the sizes of the
// ".sim" and ".dat" parts, the rest is the "_linea.dat" (none when empty, as with --no-line).
// Findings, beyond the sanitizers: an exception other than a malformed file or a set that does
// not hold together, a JSON form (of up to 16 KB) that does not parse, a geometry that dump's walk
// in place prints otherwise than the decoded one, an empty page.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <string_view>

#include "fuzz/semi.h"
#include "output/coerenza_insieme.h"
#include "output/formato_file.h"
#include "output/geometria_in_byte.h"
#include "output/lettore_byte.h"
#include "output/lettura_formato.h"
#include "tool/disegno.h"
#include "tool/stampa_dump.h"

namespace {

using namespace scenario;

[[noreturn]] void scoperta(const std::string& testo) {
    std::fprintf(stderr, "fuzz_decodifica: %s\n", testo.c_str());
    std::abort();
}

struct tre_file {
    std::string_view sim;
    std::string_view dat;
    std::string_view linea;
};

tre_file dividi(std::string_view ingresso) {
    auto misura = [&ingresso]() -> std::size_t {
        if (ingresso.size() < 2) return 0;
        std::size_t n = static_cast<unsigned char>(ingresso[0]) |
                        static_cast<std::size_t>(static_cast<unsigned char>(ingresso[1])) << 8;
        ingresso.remove_prefix(2);
        return n;
    };
    std::size_t byte_sim = misura();
    std::size_t byte_dat = misura();
    tre_file f;
    f.sim = ingresso.substr(0, byte_sim);
    ingresso.remove_prefix(f.sim.size());
    f.dat = ingresso.substr(0, byte_dat);
    ingresso.remove_prefix(f.dat.size());
    f.linea = ingresso;
    return f;
}

// The JSON forms loaded to check them: up to this size. Every record of a table goes through the
// same printer, so a short table reaches whatever a long one would, and loading a long one
// would take most of the input's time.
constexpr std::size_t json_caricato = 16 * 1024;

// Both forms of dump, every member shown; the JSON one must load.
template <typename T, typename F>
void stampa(const T& decodificato, F stampa_forma) {
    strumento::opzioni_dump opzioni;
    opzioni.tutti = true;
    std::ostringstream testo;
    stampa_forma(decodificato, opzioni, testo);
    opzioni.json = true;
    std::ostringstream json;
    stampa_forma(decodificato, opzioni, json);
    const std::string forma = json.str();
    if (forma.size() <= json_caricato && !nlohmann::json::accept(forma)) {
        scoperta("JSON non valido: " + forma);
    }
}

// dump walks the geometry file in place: it must print what the decoded geometry gives.
void stessa_geometria_in_posto(const profilo_linea& decodificata, std::string_view byte) {
    const formato::geometria_in_byte in_posto{std::string(byte)};
    for (std::int32_t passo : {1, 3}) {
        strumento::opzioni_dump opzioni;
        opzioni.passo = passo;
        std::ostringstream a, b;
        strumento::stampa_geometria(decodificata, opzioni, a);
        strumento::stampa_geometria(in_posto, opzioni, b);
        if (a.str() != b.str()) scoperta("la geometria in posto non stampa la decodificata");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione) {
    const tre_file f = dividi(std::string_view(reinterpret_cast<const char*>(dati), dimensione));
    strumento::scenario_compilato s;
    s.nome_scenario = fuzz::nome_scenario;
    s.numero_treno = fuzz::numero_treno;
    bool completo = true;
    // Each file is decoded and dumped on its own, as dump does; a malformed one is reported.
    try {
        s.punti = formato::decodifica_punti(f.sim);
        stampa(s.punti, strumento::stampa_punti);
    } catch (const file_malformato&) {
        completo = false;
    }
    try {
        s.celle = formato::decodifica_celle(f.dat);
        stampa(s.celle, strumento::stampa_celle);
    } catch (const file_malformato&) {
        completo = false;
    }
    if (!f.linea.empty()) {
        try {
            s.geometria = formato::decodifica_geometria(f.linea);
            stampa(*s.geometria, [](const auto& g, const auto& o, auto& out) {
                strumento::stampa_geometria(g, o, out);
            });
            stessa_geometria_in_posto(*s.geometria, f.linea);
        } catch (const file_malformato&) {
            completo = false;
        }
    }
    if (!completo) return 0;

    // render: the set against its line length, then the page.
    try {
        std::int32_t lunghezza = formato::lunghezza_registrata(s.punti);
        formato::verifica_celle(lunghezza, s.celle.size(), "sim");
        if (s.geometria) {
            formato::verifica_metri(
                lunghezza, static_cast<std::size_t>(s.geometria->ultimo_metro()) + 1, "sim");
        }
    } catch (const file_malformato&) {
        return 0;
    } catch (const formato::insieme_incoerente&) {
        return 0;
    }
    if (strumento::disegna_svg(s).empty()) scoperta("pagina vuota");
    return 0;
}
