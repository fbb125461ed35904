#include "run/codici_errore.h"

#include <array>

namespace scenario {

namespace {

struct voce_codice {
    std::int32_t codice;
    bool con_posizione;
    const char* significato;
};

constexpr std::array<voce_codice, 28> codici = {{
    {1, false, "lunghezza del percorso oltre 1000000 m"},
    {2, false, "progressiva chilometrica con inizio o scostamento non multiplo di 50"},
    {3, false, "inizio della ripetizione segnali non multiplo di 50"},
    {4, false, "fine della ripetizione segnali non multipla di 50"},
    {5, false, "ripetizione segnali senza 4 o 9 codici"},
    {6, true, "cartello indicatore su una cella non libera"},
    {7, true, "punto di abbattimento su una cella non libera"},
    {8, true, "posizione di stazione non multipla di 50"},
    {9, true, "lunghezza di stazione non multipla di 100"},
    {10, false, "stazioni e testi dei cartelli si incontrano nella tabella dei punti"},
    {11, true, "nessun posto per un punto codice prima di un segnale davanti a un avviso"},
    {12, true, "nessuna cella libera in un gruppo prima di un rallentamento"},
    {13, true, "nessuna cella libera per un punto codice dentro o dopo un rallentamento"},
    {15, true, "posizione oltre la fine delle celle"},
    {16, true, "segnale su una cella non libera"},
    {17, true, "cella dell'avviso di rallentamento non libera"},
    {18, true, "cella d'inizio del rallentamento non libera"},
    {19, true, "cella di fine del rallentamento non libera"},
    {20, true, "una delle quattro celle prima dell'avviso di rallentamento non libera"},
    {21, true, "indicatore di velocita' massima su una cella non libera"},
    {22, true, "zona di stazione a meno di 350 m dalla precedente"},
    {24, false, "fermata di stazione nella cella 1 o prima"},
    {25, false, "guasto durante la compilazione"},
    {101, false, "sorgente della linea assente"},
    {102, false, "sorgente della linea senza riga [generale]"},
    {103, false, "curva senza classe da 1 a 6, o curva oltre 1000000 m"},
    {1250, false, "posto dei timbri gia' occupato (voce_7 o dato1 della cella 1)"},
    {1251, false, "posto dei codici di gara gia' occupato (orario o dato2 della cella 1)"},
}};

const voce_codice* cerca(std::int32_t codice) {
    for (const voce_codice& v : codici) {
        if (v.codice == codice) return &v;
    }
    return nullptr;
}

}  // namespace

const char* significato_codice(std::int32_t codice) {
    const voce_codice* v = cerca(codice);
    return v != nullptr ? v->significato : "codice sconosciuto";
}

bool codice_noto(std::int32_t codice) { return cerca(codice) != nullptr; }

bool codice_con_posizione(std::int32_t codice) {
    const voce_codice* v = cerca(codice);
    return v != nullptr && v->con_posizione;
}

std::string descrivi_errore(std::int32_t codice, std::int32_t posizione,
                            const luogo_sorgente& luogo, std::string_view causa) {
    std::string testo = "Errore " + std::to_string(codice) + ": " + significato_codice(codice);
    if (codice_con_posizione(codice)) {
        testo += ", alla posizione " + std::to_string(posizione) + " m";
    }
    if (!luogo.file.empty()) {
        testo += " (" + luogo.file + ":" + std::to_string(luogo.riga) + ":" +
                 std::to_string(luogo.colonna) + ")";
    }
    if (codice == 25 && !causa.empty()) {
        testo += ": ";
        testo += causa;
    }
    return testo;
}

}  // namespace scenario
