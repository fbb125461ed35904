#include "line/geometria_linea.h"

#include <algorithm>
#include <array>
#include <span>
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

// Metres da..a (2 <= da, a <= the last metre) each from the two before it, exactly as
// passo_rettilineo (straight) or passo_curva (turning by k) steps them one by one: the same
// operations in the same order, on values held from the metre before.
template <bool curva>
void tratto(profilo_linea& profilo, std::int32_t da, std::int32_t a, [[maybe_unused]] double k) {
    const std::span<double> x = profilo.valori(0);
    const std::span<double> y = profilo.valori(1);
    const std::span<profilo_linea::tipo_valore> tipo_x = profilo.tipi(0);
    const std::span<profilo_linea::tipo_valore> tipo_y = profilo.tipi(1);
    const auto primo = static_cast<std::size_t>(da);
    const auto ultimo = static_cast<std::size_t>(a);
    if (da < 2 || a < da || ultimo >= x.size() || ultimo >= y.size() || ultimo >= tipo_x.size() ||
        ultimo >= tipo_y.size()) {
        throw guasto_esecuzione("tratto di geometria " + std::to_string(da) + ".." +
                                std::to_string(a) + " fuori da profilo_linea");
    }
    double x1 = x[primo - 1], x2 = x[primo - 2];
    double y1 = y[primo - 1], y2 = y[primo - 2];
    for (std::size_t m = primo; m <= ultimo; ++m) {
        const double dx = x1 - x2;
        const double dy = y1 - y2;
        double nx, ny;
        if constexpr (curva) {
            nx = x1 + (dx + k * dy);
            ny = y1 + (dy - k * dx);
        } else {
            nx = x1 + dx;
            ny = y1 + dy;
        }
        x[m] = nx;
        y[m] = ny;
        x2 = x1;
        x1 = nx;
        y2 = y1;
        y1 = ny;
    }
    std::fill(tipo_x.begin() + da, tipo_x.begin() + a + 1, profilo_linea::tipo_valore::reale);
    std::fill(tipo_y.begin() + da, tipo_y.begin() + a + 1, profilo_linea::tipo_valore::reale);
}

// Steps the counter from `lettura.metro` through `fino`, straight or turning, stretch by stretch;
// the checks of each metre (the geometry's end, code 103) are met where they fail.
template <bool curva>
bool avanza_fino_a(stato_run& stato, lettura_linea& lettura, std::int32_t fino, double k) {
    while (lettura.metro <= fino) {
        const std::int32_t fine = fine_tratto(stato, lettura.metro, fino);
        if (fine < lettura.metro) {
            verifica_metro(stato, lettura.metro);
            if constexpr (curva) {
                passo_curva(stato.profilo, lettura.metro, k);
            } else {
                passo_rettilineo(stato.profilo, lettura.metro);
            }
        } else {
            tratto<curva>(stato.profilo, lettura.metro, fine, k);
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
    stato.profilo.imposta_intero(0, 0, 0);
    stato.profilo.imposta_intero(0, 1, 0);
    stato.profilo.imposta_intero(1, 0, 0);
    stato.profilo.imposta_intero(1, 1, 1);
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
    if (const std::int32_t fine = fine_tratto(stato, lettura.metro, ultimo);
        fine >= lettura.metro) {
        tratto<false>(stato.profilo, lettura.metro, fine, 0.0);
        lettura.metro = somma32(fine, 1);
    }
    while (lettura.metro <= ultimo) {
        passo_rettilineo(stato.profilo, lettura.metro);
        lettura.metro = somma32(lettura.metro, 1);
    }
}

}  // namespace scenario
