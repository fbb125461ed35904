#include "tool/lettura_compilati.h"

#include <algorithm>
#include <system_error>

#include "model/guasto.h"
#include "output/coerenza_insieme.h"
#include "output/formato_file.h"
#include "output/lettura_formato.h"
#include "textfile/file_disco.h"
#include "tool/lettura_regolare.h"

namespace scenario::strumento {

std::vector<punto> leggi_punti(const std::filesystem::path& sim) {
    return formato::decodifica_punti(leggi_file_regolare(sim, formato::byte_punti_massimo));
}

std::vector<cella> leggi_celle(const std::filesystem::path& dat) {
    return formato::decodifica_celle(leggi_file_regolare(dat, formato::byte_celle_massimo));
}

profilo_linea leggi_geometria(const std::filesystem::path& linea) {
    return formato::decodifica_geometria(
        leggi_file_regolare(linea, formato::byte_geometria_massimo));
}

void verifica_insieme(const scenario_compilato& s, const std::filesystem::path& file_sim) {
    const std::string nome = nome_leggibile(file_sim);
    std::int32_t lunghezza = formato::lunghezza_registrata(s.punti);
    formato::verifica_celle(lunghezza, s.celle.size(), nome);
    if (s.geometria) {
        formato::verifica_metri(lunghezza,
                                static_cast<std::size_t>(s.geometria->ultimo_metro()) + 1, nome);
    }
}

std::vector<punti_insieme> punti_dello_stesso_insieme(const std::filesystem::path& file,
                                                      bool geometria) {
    std::vector<std::filesystem::path> candidati;
    std::string nome = file.filename().string();
    std::string scenario;
    if (!geometria) {
        std::filesystem::path sim = file;
        candidati.push_back(sim.replace_extension(".sim"));
    } else {
        constexpr std::string_view coda = "_linea.dat";
        scenario = nome.substr(0, nome.size() >= coda.size() ? nome.size() - coda.size() : 0);
        std::filesystem::path cartella = file.parent_path().empty() ? "." : file.parent_path();
        std::error_code errore;
        for (const auto& voce : std::filesystem::directory_iterator(cartella, errore)) {
            std::string altro = voce.path().filename().string();
            if (altro.size() > scenario.size() + 5 &&
                altro.compare(0, scenario.size(), scenario) == 0 && altro[scenario.size()] == '_' &&
                altro.ends_with(".sim")) {
                candidati.push_back(voce.path());
            }
        }
        std::sort(candidati.begin(), candidati.end());
    }
    std::vector<punti_insieme> elenco;
    for (const std::filesystem::path& sim : candidati) {
        std::error_code errore;
        if (!std::filesystem::is_regular_file(sim, errore)) continue;
        try {
            std::vector<punto> punti = leggi_punti(sim);
            const auto indice = static_cast<std::size_t>(indice_punti::scenario);
            // Another scenario whose name begins with this one's and an underscore.
            if (geometria && (punti.size() <= indice || punti[indice].nome != scenario)) continue;
            elenco.push_back({sim, std::move(punti)});
        } catch (const std::exception&) {
            // Its own faults are reported when it is read itself; here it only cannot vouch.
        }
    }
    return elenco;
}

}  // namespace scenario::strumento
