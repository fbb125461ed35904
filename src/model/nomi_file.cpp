#include "model/nomi_file.h"

#include "model/stato_run.h"

namespace scenario {

identita_file::identita_file(const stato_run& stato)
    : nome_scenario(stato.nome_scenario), numero_treno(stato.numero_treno) {}

namespace {
std::string del_scenario(const identita_file& id, std::string_view coda) {
    std::string nome(id.nome_scenario);
    nome += coda;
    return nome;
}
std::string del_treno(const identita_file& id, std::string_view coda) {
    std::string nome(id.nome_scenario);
    nome += "_";
    nome += id.numero_treno;
    nome += coda;
    return nome;
}
}  // namespace

std::string nome_sorgente_linea(const identita_file& id) { return del_scenario(id, "_linea.txt"); }
std::string nome_sorgente_treno(const identita_file& id) { return del_treno(id, "-.txt"); }
std::string nome_note(const identita_file& id) { return del_treno(id, "_note.txt"); }
std::string nome_rallentamenti(const identita_file& id) {
    return del_treno(id, "_rallentamenti.txt");
}
std::string nome_scheda(const identita_file& id) { return del_treno(id, "_scheda_treno.txt"); }
std::string nome_file_linea(const identita_file& id) { return del_scenario(id, "_linea.dat"); }
std::string nome_file_sim(const identita_file& id) { return del_treno(id, ".sim"); }
std::string nome_file_dat(const identita_file& id) { return del_treno(id, ".dat"); }

std::filesystem::path percorso_file(const stato_run& stato, const std::string& nome) {
    return stato.cartella / nome;
}

}  // namespace scenario
