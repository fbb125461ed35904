#pragma once

#include <filesystem>
#include <string>

#include "model/stato_run.h"

namespace scenario {

// The names of every file of the run, built from the scenario's identity.
std::string nome_sorgente_linea(const stato_run& stato);
std::string nome_sorgente_treno(const stato_run& stato);
std::string nome_note(const stato_run& stato);
std::string nome_rallentamenti(const stato_run& stato);
std::string nome_scheda(const stato_run& stato);
std::string nome_file_linea(const stato_run& stato);
std::string nome_file_sim(const stato_run& stato);
std::string nome_file_dat(const stato_run& stato);

// The application folder, the separator, then the name.
std::filesystem::path percorso_file(const stato_run& stato, const std::string& nome);

}  // namespace scenario
