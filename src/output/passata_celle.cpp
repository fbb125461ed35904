#include "output/passata_celle.h"

#include "model/numeri.h"
#include "verifica/sorveglianza.h"

namespace scenario {

namespace {

constexpr std::int16_t codice_aggiunto = 180;
constexpr std::int32_t velocita_senza_punti_interni = 110;
constexpr std::int32_t celle_prima_dell_avviso = 20;
constexpr std::int32_t prima_cella_esaminata = 3;
constexpr std::int32_t passo_punti_interni = 8;  // 400 m
constexpr std::int32_t celle_dopo_la_fine = 12;  // 600 m

bool libera_n(const stato_run& s, std::int32_t n) { return libera(s.percorso[n]); }

// A cell past the last one is never available: the search stops at the last cell.
bool libera_entro(const stato_run& s, std::int32_t n) {
    return n <= s.ultima_cella && libera_n(s, n);
}

std::uint8_t tipo_di(const stato_run& s, std::int32_t n) { return s.percorso[n].tipo; }

void segna(stato_run& s, std::int32_t n) {
    cella& c = s.percorso[n];
    c.tipo = tipo_cella::punto_codice;
    c.dato1 = codice_aggiunto;
    annota_cella(s, n, "code point added by the cell pass");
}

void abbassa_codice(stato_run& s, std::int32_t n) {
    cella& c = s.percorso[n];
    c.dato1 = stretto<std::int16_t>(minimo(codice_aggiunto, c.dato1), "dato1");
}

std::int32_t metri(std::int32_t cella_n) { return prodotto32(cella_n, 50); }

// Step A: every signal within the 20 cells before a warning board gets a point just before it,
// or an existing point there has its code lowered.
void segnali_prima_dell_avviso(stato_run& s) {
    for (s.k = 1; s.k <= celle_prima_dell_avviso; ++s.k) {
        if (s.i - s.k < prima_cella_esaminata) break;
        std::int32_t segnale = s.i - s.k;
        if (tipo_di(s, segnale) != tipo_cella::segnale) continue;
        // Free cells are served before an existing code is lowered.
        if (libera_n(s, segnale - 1)) {
            segna(s, segnale - 1);
        } else if (libera_n(s, segnale - 2)) {
            segna(s, segnale - 2);
        } else if (tipo_di(s, segnale - 1) == tipo_cella::punto_codice) {
            abbassa_codice(s, segnale - 1);
        } else if (tipo_di(s, segnale - 2) == tipo_cella::punto_codice) {
            abbassa_codice(s, segnale - 2);
        } else {
            codice_passata(s, 11, metri(segnale), segnale, {segnale - 1, segnale - 2});
        }
    }
}

// Step B.1: one point in each group of three cells behind the start, nearest cell first.
void gruppi_di_avvicinamento(stato_run& s) {
    struct gruppo {
        std::int32_t dopo_la_cella;  // the group applies when i is past this cell
        std::int32_t vicina;         // cells i - vicina, i - vicina - 1, i - vicina - 2
    };
    // 250-350 m, 550-650 m and 900-1000 m behind the start.
    static constexpr gruppo gruppi[] = {{7, 5}, {13, 11}, {20, 18}};
    for (const gruppo& g : gruppi) {
        if (s.i <= g.dopo_la_cella) continue;
        bool posto = false;
        for (std::int32_t d = 0; d < 3 && !posto; ++d) {
            std::int32_t n = s.i - g.vicina - d;
            if (libera_n(s, n)) {
                segna(s, n);
                posto = true;
            }
        }
        if (!posto) {
            codice_passata(s, 12, metri(s.i), s.i,
                           {s.i - g.vicina, s.i - g.vicina - 1, s.i - g.vicina - 2});
        }
    }
}

// The slowdown's end: the first end cell after its start, or -1 when the cells end first.
std::int32_t cella_di_fine(const stato_run& s, std::int32_t inizio) {
    for (std::int32_t n = inizio + 1; n <= s.ultima_cella; ++n) {
        if (tipo_di(s, n) == tipo_cella::fine_rallentamento) return n;
    }
    return -1;
}

// Step B.2: a point every 8 cells, counted from the point actually placed; leaves `k` on the end.
void punti_interni(stato_run& s, std::int32_t fine) {
    s.contatore = 0;
    s.k = s.i;
    do {
        ++s.k;
        ++s.contatore;
        if (s.contatore != passo_punti_interni) continue;
        if (libera_n(s, s.k)) {
            segna(s, s.k);
            s.contatore = 0;
        } else if (libera_n(s, s.k - 1)) {
            segna(s, s.k - 1);
            s.contatore = 1;
        } else if (libera_entro(s, s.k + 1)) {
            segna(s, s.k + 1);
            s.contatore = -1;
        } else {
            // The counter stays past 8: no further point in this slowdown.
            codice_passata(s, 13, metri(s.k), s.i, {s.k, s.k - 1, s.k + 1});
        }
    } while (s.k < fine);
}

// Step B.3: a point just before the first signal within 12 cells from the end cell `k`.
void punto_dopo_la_fine(stato_run& s) {
    s.contatore = 0;
    std::int32_t ultima = s.k + celle_dopo_la_fine;
    if (ultima > s.ultima_cella) ultima = s.ultima_cella;
    for (std::int32_t n = s.k; n <= ultima; ++n) {
        if (tipo_di(s, n) == tipo_cella::segnale) {
            s.contatore = n - 1;
            break;
        }
    }
    if (s.contatore <= 0) return;
    if (libera_n(s, s.contatore)) {
        segna(s, s.contatore);
    } else if (libera_n(s, s.contatore - 1)) {
        segna(s, s.contatore - 1);
    } else {
        codice_passata(s, 13, metri(s.k), s.i, {s.contatore, s.contatore - 1});
    }
}

// Step B: around a slowdown whose start is cell i.
void attorno_al_rallentamento(stato_run& s) {
    gruppi_di_avvicinamento(s);
    std::int32_t fine = cella_di_fine(s, s.i);
    if (fine < 0) return;  // no end cell before the last cell: nothing to count towards
    if (s.percorso[s.i].dato1 < velocita_senza_punti_interni) {
        punti_interni(s, fine);
    } else {
        s.k = fine;
    }
    punto_dopo_la_fine(s);
}

}  // namespace

std::int32_t minimo(std::int32_t x, std::int32_t y) { return x > y ? y : x; }

void passata_celle(stato_run& stato) {
    // The codes of this pass belong to no source record.
    stato.luogo_corrente = luogo_sorgente{};
    for (stato.i = 1; stato.i <= stato.ultima_cella - 2; ++stato.i) {
        if (tipo_di(stato, stato.i) == tipo_cella::avviso_rallentamento) {
            segnali_prima_dell_avviso(stato);
        }
        if (tipo_di(stato, stato.i) == tipo_cella::inizio_rallentamento) {
            attorno_al_rallentamento(stato);
        }
    }
}

}  // namespace scenario
