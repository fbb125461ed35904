#pragma once

// The compiled files as dump, render and serve read them: regular files only, never larger than
// a compilation writes, decoded, and checked as a set against the line length of the ".sim".
#include <filesystem>
#include <ostream>
#include <string_view>
#include <vector>

#include "model/cella.h"
#include "model/guasto.h"
#include "model/profilo_linea.h"
#include "model/punto.h"
#include "output/coerenza_insieme.h"
#include "output/lettore_byte.h"
#include "textfile/file_disco.h"
#include "tool/lettura_regolare.h"
#include "tool/scenario_compilato.h"
#include "tool/stati_uscita.h"

namespace scenario::strumento {

// Each reads one file: guasto_file when the system cannot read it, file_rifiutato
// (tool/lettura_regolare.h) when it is not a regular file or is too large, file_malformato when
// its bytes are not the format.
std::vector<punto> leggi_punti(const std::filesystem::path& sim);
std::vector<cella> leggi_celle(const std::filesystem::path& dat);
profilo_linea leggi_geometria(const std::filesystem::path& linea);

// The cells and the geometry (when present) of `s` against the line length of its records:
// file_malformato when the length is not one a compilation writes, formato::insieme_incoerente
// when a count disagrees with it. `file_sim` names the records in the message.
void verifica_insieme(const scenario_compilato& s, const std::filesystem::path& file_sim);

// The record tables in `file`'s folder that belong to its set: for "NAME_NUMBER.dat" the
// "NAME_NUMBER.sim" beside it; for "NAME_linea.dat" every "NAME_*.sim" whose record 85 names
// scenario NAME. Only those that exist and decode are given.
struct punti_insieme {
    std::filesystem::path file;
    std::vector<punto> punti;
};
std::vector<punti_insieme> punti_dello_stesso_insieme(const std::filesystem::path& file,
                                                      bool geometria);

// Runs `leggi`, which reads compiled files, and turns what a reader throws into one line on
// `errori` and the status every reader of compiled files gives: 3 when the system cannot read a
// file; 65 when one is refused, malformed or out of step with its set. `in_lettura` is the file
// being read, kept up to date by `leggi`; it names the file in the message. 0 when all is read.
template <typename F>
int esito_lettura_compilati(std::string_view prefisso, const std::filesystem::path& in_lettura,
                            std::ostream& errori, F&& leggi) {
    try {
        leggi();
    } catch (const guasto_file& e) {
        errori << prefisso << "cannot read " << e.file() << ": " << e.causa() << '\n';
        return uscita::guasto_sistema;
    } catch (const file_rifiutato& e) {
        errori << prefisso << e.what() << '\n';
        return uscita::file_malformato;
    } catch (const file_malformato& e) {
        errori << prefisso << nome_leggibile(in_lettura) << ": " << e.what() << '\n';
        return uscita::file_malformato;
    } catch (const formato::insieme_incoerente& e) {
        errori << prefisso << nome_leggibile(in_lettura) << ": " << e.what() << '\n';
        return uscita::file_malformato;
    }
    return uscita::riuscita;
}

}  // namespace scenario::strumento
