#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "line/lettore_linea.h"
#include "model/nomi_file.h"
#include "model/stato_run.h"
#include "support/cartella_temporanea.h"
#include "support/righe.h"

namespace scenario::prova {

// A line source of `lunghezza` metres: the header, the given feature lines, the end line.
inline std::string sorgente_con(const std::vector<std::string>& caratteristiche,
                                std::int32_t lunghezza = 57000) {
    std::vector<std::string> righe = {
        "[generale]", "lunghezza percorso,    " + std::to_string(lunghezza), "[curve]"};
    righe.insert(righe.end(), caratteristiche.begin(), caratteristiche.end());
    righe.emplace_back("[fine]");
    return righe_crlf(righe);
}

// A run state in a fresh folder, ready to compile a line source written into it.
class LineaProva : public ::testing::Test {
  protected:
    // Never a position any check records: shows that a code came without one.
    static constexpr std::int32_t posizione_iniziale = -777;

    LineaProva() {
        stato.cartella = cartella.percorso();
        stato.nome_scenario = "Prova";
        stato.numero_treno = "42";
        stato.scrivi_linea = 1;
        stato.posizione_errore = posizione_iniziale;
    }

    std::filesystem::path sorgente_linea() const {
        return percorso_file(stato, nome_sorgente_linea(stato));
    }
    std::filesystem::path sorgente_treno() const {
        return percorso_file(stato, nome_sorgente_treno(stato));
    }

    void scrivi_sorgente_linea(const std::string& testo) { scrivi_tutto(sorgente_linea(), testo); }
    // A train source beside the line source: the line reader must leave it alone.
    void scrivi_sorgente_treno() { scrivi_tutto(sorgente_treno(), "[generale]\r\n[fine]\r\n"); }

    esito_linea compila(const std::string& testo) {
        scrivi_sorgente_linea(testo);
        return leggi_sorgente_linea(stato);
    }

    cartella_temporanea cartella;
    stato_run stato;
};

}  // namespace scenario::prova
