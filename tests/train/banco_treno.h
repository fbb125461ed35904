#pragma once

#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "model/stato_run.h"
#include "support/cartella_temporanea.h"
#include "support/righe.h"

namespace scenario::prova {

// A run state with a sized, empty cell array (57000 m of line: cells 0..1280) and a folder
// for the train source, as the line reader would leave them.
struct banco_treno {
    explicit banco_treno(std::int32_t lunghezza = 57000);

    std::filesystem::path sorgente() const;
    bool sorgente_presente() const;

    // Writes `contenuto` as the train source, byte for byte.
    void scrivi(const std::string& contenuto) const;
    // Writes "[generale]" and the rows, each ended by CR LF, and compiles them.
    void compila(std::initializer_list<std::string> righe, std::int32_t prossimo_cartello = 80);
    // The rows between a first speed row (50 km/h from 0) and a last "sabbia, 300" row, compiled:
    // a test of an early end sees from the profile whether the end of reading ran and from the
    // sand whether reading went on.
    void compila_tra_sentinelle(const std::vector<std::string>& righe);
    // The built-in train source, compiled.
    void compila_incorporata();

    cella& operator[](long long n) { return stato.percorso[n]; }

    cartella_temporanea cartella;
    stato_run stato;
};

// A "stazione" row with every other field 0 and the name "X".
std::string riga_stazione(std::int32_t posizione, std::int32_t tipo, std::int32_t lunghezza,
                          std::int32_t voce_5 = 0, std::int32_t voce_6 = 0);

}  // namespace scenario::prova
