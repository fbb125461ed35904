#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "support/cartella_temporanea.h"

namespace scenario::prova {

inline constexpr const char* scenario_incorporato = "Lerno_Castelbrum_Pusena";
inline constexpr const char* treno_incorporato = "27364";

// What one in-process run of the tool left: its status and both streams.
struct esito_strumento {
    int stato = -1;
    std::string uscita;
    std::string errori;
};

esito_strumento strumento(const std::vector<std::string>& parole);

// The built-in sources, as `sources` writes them, in `cartella`.
void esporta_incorporate(const std::filesystem::path& cartella);

// Replaces the first occurrence of `vecchio` in a file; fails the test when there is none.
void modifica(const std::filesystem::path& file, const std::string& vecchio,
              const std::string& nuovo);

// Runs a shell command and gives its exit status (-1 when it did not exit normally).
int esegui_comando(const std::string& comando);

// The three binary files of the built-in scenario as the real program writes them, run once
// headless in a folder of its own (kept for the whole test program).
const std::filesystem::path& file_del_programma();

std::string virgolette(const std::filesystem::path& p);

}  // namespace scenario::prova
