#include "line/montagne.h"

#include <string>

#include "model/guasto.h"
#include "model/numeri.h"

namespace scenario {

namespace {

constexpr std::int32_t montagne_massime = 80;
constexpr std::int32_t distanza_minima = 150;
constexpr std::int32_t tipo_ravvicinata = 3;

}  // namespace

void memo_montagna(stato_run& stato, std::int32_t& inizio, std::int32_t& fine, std::int32_t& tipo) {
    if (stato.conta_montagne >= montagne_massime) {
        throw guasto_esecuzione("oltre " + std::to_string(montagne_massime) + " montagne");
    }
    std::int32_t prima = arrotonda<std::int32_t>(inizio / 50.0, "cella della montagna");
    std::int32_t ultima = arrotonda<std::int32_t>(fine / 50.0 - 1.0, "cella della montagna");

    stato.k = 0;
    if (tipo > 10) {
        tipo -= 10;
        stato.k = 1;
    }
    stato.conta_montagne += 1;
    stato.montagna_inizio[stato.conta_montagne] = inizio;
    stato.montagna_fine[stato.conta_montagne] = fine;
    // Judged after the markers were asked for: a close mountain keeps them.
    if (stato.conta_montagne > 1 &&
        differenza32(inizio, stato.montagna_fine[stato.conta_montagne - 1]) <= distanza_minima) {
        tipo = tipo_ravvicinata;
    }

    // Cell by cell: a mountain running beyond the cells stops the compiler with the cells up to
    // the last one already written.
    for (stato.i = prima; stato.i <= ultima; ++stato.i) {
        if (stato.i < 0 || stato.i > stato.ultima_cella) {
            throw guasto_esecuzione("montagna da " + std::to_string(inizio) + " a " +
                                    std::to_string(fine) + " fuori dalle celle 0.." +
                                    std::to_string(stato.ultima_cella));
        }
        cella& c = stato.percorso[stato.i];
        c.montagna = basso8(tipo);
        std::int32_t conteggio = stato.i - prima + 1;
        if (stato.k == 1 && conteggio % 4 == 0 && c.tipo == tipo_cella::binario) {
            c.tipo = tipo_cella::marcatore_montagna;
        }
    }
}

}  // namespace scenario
