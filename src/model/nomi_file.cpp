#include "model/nomi_file.h"

namespace scenario {

namespace {
std::string del_treno(const stato_run& s, const std::string& coda) {
    return s.nome_scenario + "_" + s.numero_treno + coda;
}
}  // namespace

std::string nome_sorgente_linea(const stato_run& s) { return s.nome_scenario + "_linea.txt"; }
std::string nome_sorgente_treno(const stato_run& s) { return del_treno(s, "-.txt"); }
std::string nome_note(const stato_run& s) { return del_treno(s, "_note.txt"); }
std::string nome_rallentamenti(const stato_run& s) { return del_treno(s, "_rallentamenti.txt"); }
std::string nome_scheda(const stato_run& s) { return del_treno(s, "_scheda_treno.txt"); }
std::string nome_file_linea(const stato_run& s) { return s.nome_scenario + "_linea.dat"; }
std::string nome_file_sim(const stato_run& s) { return del_treno(s, ".sim"); }
std::string nome_file_dat(const stato_run& s) { return del_treno(s, ".dat"); }

std::filesystem::path percorso_file(const stato_run& s, const std::string& nome) {
    return s.cartella / nome;
}

}  // namespace scenario
