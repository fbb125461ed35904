#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace scenario {

struct stato_run;

// The scenario's identity, all that the file names are built from. A run passes its state; a
// caller without one (the tool) passes the two texts.
struct identita_file {
    identita_file(std::string_view scenario, std::string_view treno)
        : nome_scenario(scenario), numero_treno(treno) {}
    // The run's own identity. Implicit on purpose: every file of a run is named from it.
    identita_file(const stato_run& stato);  // NOLINT(google-explicit-constructor)

    std::string_view nome_scenario;
    std::string_view numero_treno;
};

// The names of every file of the run.
std::string nome_sorgente_linea(const identita_file& id);
std::string nome_sorgente_treno(const identita_file& id);
std::string nome_note(const identita_file& id);
std::string nome_rallentamenti(const identita_file& id);
std::string nome_scheda(const identita_file& id);
std::string nome_file_linea(const identita_file& id);
std::string nome_file_sim(const identita_file& id);
std::string nome_file_dat(const identita_file& id);

// The run's folder, the separator, then the name.
std::filesystem::path percorso_file(const stato_run& stato, const std::string& nome);

}  // namespace scenario
