#pragma once

// The compiled files as dump, render and serve read them: regular files only, never larger than
// a compilation writes, decoded, and checked as a set against the line length of the ".sim".
#include <filesystem>
#include <vector>

#include "model/cella.h"
#include "model/profilo_linea.h"
#include "model/punto.h"
#include "tool/scenario_compilato.h"

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

}  // namespace scenario::strumento
