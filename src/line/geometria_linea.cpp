#include "line/geometria_linea.h"

#include <algorithm>
#include <array>
#include <string>

#include "model/guasto.h"
#include "model/numeri.h"
#include "textfile/parole_chiave.h"

namespace scenario {

namespace {

constexpr std::int32_t metro_massimo = 1000000;

struct classe_curva {
    char cifra;
    double k;
};

// Tested in this order: a keyword with two digits takes the first one found here.
constexpr std::array<classe_curva, 6> classi = {{
    {'1', 0.0001},
    {'2', 0.0002},
    {'3', 0.0004},
    {'4', 0.001},
    {'5', 0.002},
    {'6', 0.003},
}};

void verifica_metro(const stato_run& stato, std::int32_t metro) {
    if (metro > stato.lunghezza_estesa) {
        throw guasto_esecuzione("curva oltre la fine del profilo della linea: metro " +
                                std::to_string(metro) + " oltre " +
                                std::to_string(stato.lunghezza_estesa));
    }
}

// False when the counter has passed the limit: code 103 recorded, source deleted.
bool avanza_metro(stato_run& stato, lettura_linea& lettura) {
    lettura.metro = somma32(lettura.metro, 1);
    if (lettura.metro > metro_massimo) {
        abbandona_linea(stato, lettura, 103);
        return false;
    }
    return true;
}

// The last metre of a stretch from `metro` towards `fino` that can be stepped without a check per
// metre: inside the geometry array, within the extended length and the counter's limit. Below
// `metro` when not even `metro` can: the single step then meets the check that fails.
std::int32_t fine_tratto(const stato_run& stato, std::int32_t metro, std::int32_t fino) {
    if (metro < 2 || !stato.profilo.dimensionato()) return metro - 1;
    return std::min({fino, stato.lunghezza_estesa, metro_massimo, stato.profilo.ultimo_metro()});
}

// One metre past the counter's limit (a reader that keeps going after code 103 meets it once per
// curve row). Recorded like a stretch where the profile holds it, so that nothing computes the
// geometry of a line whose geometry nobody reads; stepped at once elsewhere, to meet the fault.
template <bool curva>
void passo_singolo(profilo_linea& profilo, std::int32_t metro, double k) {
    if (metro >= 2 && profilo.dimensionato() && metro <= profilo.ultimo_metro()) {
        profilo.aggiungi_tratto({metro, metro, curva, k});
    } else if constexpr (curva) {
        passo_curva(profilo, metro, k);
    } else {
        passo_rettilineo(profilo, metro);
    }
}

// Steps the counter from `lettura.metro` through `fino`, straight or turning, stretch by stretch
// (recorded in the profile, computed when it is read); the checks of each metre (the geometry's
// end, code 103) are met where they fail.
template <bool curva>
bool avanza_fino_a(stato_run& stato, lettura_linea& lettura, std::int32_t fino, double k) {
    while (lettura.metro <= fino) {
        const std::int32_t fine = fine_tratto(stato, lettura.metro, fino);
        if (fine < lettura.metro) {
            verifica_metro(stato, lettura.metro);
            passo_singolo<curva>(stato.profilo, lettura.metro, k);
        } else {
            stato.profilo.aggiungi_tratto({lettura.metro, fine, curva, k});
            lettura.metro = fine;
        }
        if (!avanza_metro(stato, lettura)) return false;
    }
    return true;
}

}  // namespace

std::optional<double> svolta_curva(std::string_view parola) {
    for (const classe_curva& classe : classi) {
        if (parola.find(classe.cifra) != std::string_view::npos) {
            return contiene_senza_maiuscole(parola, "s") ? -classe.k : classe.k;
        }
    }
    return std::nullopt;
}

void imposta_inizio_geometria(stato_run& stato) {
    stato.profilo.aggiungi_intero(0, 0, 0);
    stato.profilo.aggiungi_intero(0, 1, 0);
    stato.profilo.aggiungi_intero(1, 0, 0);
    stato.profilo.aggiungi_intero(1, 1, 1);
}

// The step is the previous one, unnormalised: its length grows slightly in every turn.
void passo_rettilineo(profilo_linea& profilo, std::int32_t metro) {
    double a = profilo.valore(metro - 1, 0) - profilo.valore(metro - 2, 0);
    double b = profilo.valore(metro - 1, 1) - profilo.valore(metro - 2, 1);
    profilo.imposta_reale(metro, 0, profilo.valore(metro - 1, 0) + a);
    profilo.imposta_reale(metro, 1, profilo.valore(metro - 1, 1) + b);
}

void passo_curva(profilo_linea& profilo, std::int32_t metro, double k) {
    double a = profilo.valore(metro - 1, 0) - profilo.valore(metro - 2, 0);
    double b = profilo.valore(metro - 1, 1) - profilo.valore(metro - 2, 1);
    profilo.imposta_reale(metro, 0, profilo.valore(metro - 1, 0) + (a + k * b));
    profilo.imposta_reale(metro, 1, profilo.valore(metro - 1, 1) + (b - k * a));
}

esito_lettura disegna_curva(stato_run& stato, lettura_linea& lettura, std::int32_t inizio,
                            std::int32_t lunghezza, double k) {
    // A curve starting behind the counter (overlapping, out of order) only turns.
    if (!avanza_fino_a<false>(stato, lettura, inizio, 0.0)) return esito_lettura::abbandona;
    std::int32_t fine = somma32(inizio, lunghezza);
    if (!avanza_fino_a<true>(stato, lettura, fine, k)) return esito_lettura::abbandona;
    return esito_lettura::prosegui;
}

void completa_geometria(stato_run& stato, lettura_linea& lettura) {
    std::int32_t ultimo = differenza32(stato.lunghezza_estesa, 2);
    // The counter's limit does not hold here: a line longer than it is completed all the same.
    if (const std::int32_t fine = lettura.metro < 2 || !stato.profilo.dimensionato()
                                      ? lettura.metro - 1
                                      : std::min(ultimo, stato.profilo.ultimo_metro());
        fine >= lettura.metro) {
        stato.profilo.aggiungi_tratto({lettura.metro, fine, false, 0.0});
        lettura.metro = somma32(fine, 1);
    }
    while (lettura.metro <= ultimo) {
        passo_rettilineo(stato.profilo, lettura.metro);
        lettura.metro = somma32(lettura.metro, 1);
    }
}

}  // namespace scenario
