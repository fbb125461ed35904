#include "verifica/forme_record.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace scenario {
namespace {

// A keyword is suggested only when it is the one closest to the word and at most a quarter of
// the word's length away (at least 1): the limit itself holds, one more edit does not, a tie
// suggests nothing (but any curve will do).
TEST(FormeRecord, LaParolaVicinaSoloEntroIlLimiteESenzaPari) {
    struct caso {
        parte_sorgente parte;
        std::string parola;
        std::optional<std::string> attesa;
    };
    const caso casi[] = {
        {parte_sorgente::treno, "SEGNALR", "segnale"},     // capitals fold
        {parte_sorgente::treno, "segnxxe", std::nullopt},  // 2 edits, limit 1
        {parte_sorgente::intestazione_linea, "lunghXXXX percorso", "lunghezza percorso"},  // 4 of 4
        {parte_sorgente::intestazione_linea, "lunXXXXXa percorso", std::nullopt},          // 5 of 4
        {parte_sorgente::intestazione_linea, "lunghezza percorsoxxxxxx", "lunghezza percorso"},
        {parte_sorgente::intestazione_linea, "lunghezza percorsoxxxxxxx", std::nullopt},
        {parte_sorgente::intestazione_linea, "sfondo tue", std::nullopt},  // "due" and "tre"
        {parte_sorgente::caratteristiche_linea, "curva4", "curvas4"},
        {parte_sorgente::caratteristiche_linea, "pendemza", "pendenza"},
        {parte_sorgente::caratteristiche_linea, "", std::nullopt},
        {parte_sorgente::treno, "zzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzz",
         std::nullopt},
    };
    for (const caso& c : casi) {
        EXPECT_EQ(parola_vicina(c.parte, c.parola), c.attesa) << c.parola;
    }
}

}  // namespace
}  // namespace scenario
