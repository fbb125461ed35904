#include "output/scrittura_formato.h"

#include <algorithm>
#include <bit>

#include "model/numeri.h"
#include "output/formato_file.h"

namespace scenario::formato {

void scrivi_cella(scrittore_byte& out, const cella& c) {
    // The record's room is asked for once, not member by member: a long line has tens of
    // thousands of cells.
    char* r = out.spazio(byte_cella).data();
    const auto metti = [r](std::size_t dove, std::uint64_t v, std::size_t quanti) {
        scrittore_byte::scrivi_in_ordine(r + dove, v, quanti);
    };
    const auto i16 = [](std::int16_t v) { return static_cast<std::uint16_t>(v); };
    metti(in_cella::tipo, c.tipo, 1);
    metti(in_cella::dato1, i16(c.dato1), 2);
    metti(in_cella::dato2, i16(c.dato2), 2);
    metti(in_cella::dato3, i16(c.dato3), 2);
    metti(in_cella::dato4, i16(c.dato4), 2);
    metti(in_cella::tempo, c.tempo, 1);
    metti(in_cella::preavviso, c.preavviso, 1);
    metti(in_cella::montagna, c.montagna, 1);
    metti(in_cella::velocita, c.velocita, 1);
    metti(in_cella::pendenza, c.pendenza, 1);
    metti(in_cella::aderenza, c.aderenza, 1);
    out.avanza(byte_cella);
}

void scrivi_punto(scrittore_byte& out, const punto& p) {
    out.u8(p.tipo);
    out.i32(p.inizio);
    out.i32(p.fine);
    out.i32(p.posizione);
    out.u8(p.voce_4);
    out.i16(stretto<std::int16_t>(static_cast<long long>(p.nome.size()), "lunghezza di nome"));
    out.grezzi(p.nome);
    out.i16(p.voce_7);
    out.i16(p.voce_8);
    out.i16(p.voce_10);
    out.i16(p.voce_11);
    out.i16(p.voce_12);
    out.u8(p.voce_9);
    out.u8(p.voce_13);
    out.u8(p.voce_6);
    out.u8(p.voce_5);
    out.i32(p.orario);
}

codice_elemento codice_di(profilo_linea::tipo_valore tipo) {
    switch (tipo) {
        case profilo_linea::tipo_valore::vuoto:
            return codice_elemento::vuoto;
        case profilo_linea::tipo_valore::intero:
            return codice_elemento::intero;
        case profilo_linea::tipo_valore::reale:
            return codice_elemento::reale;
    }
    return codice_elemento::vuoto;
}

void scrivi_elemento(scrittore_byte& out, const profilo_linea& profilo, std::int32_t metro,
                     int componente) {
    profilo_linea::tipo_valore tipo = profilo.tipo(metro, componente);
    out.u16(static_cast<std::uint16_t>(codice_di(tipo)));
    switch (tipo) {
        case profilo_linea::tipo_valore::vuoto:
            break;
        case profilo_linea::tipo_valore::intero:
            out.i16(arrotonda<std::int16_t>(profilo.valore(metro, componente), "profilo_linea"));
            break;
        case profilo_linea::tipo_valore::reale:
            out.f64(profilo.valore(metro, componente));
            break;
    }
}

// Elements are encoded a run at a time straight into the writer's block, room for the longest
// element reserved once per run rather than checked once per element.
void scrivi_componente(scrittore_byte& out, const profilo_linea& profilo, int componente) {
    const std::span<const profilo_linea::tipo_valore> tipi = profilo.tipi(componente);
    const std::span<const double> valori = profilo.valori(componente);
    const std::size_t elementi = std::min(tipi.size(), valori.size());
    constexpr std::size_t per_blocco = scrittore_byte::blocco_massimo / byte_elemento_massimo;
    for (std::size_t da = 0; da < elementi; da += per_blocco) {
        const std::size_t fino = std::min(elementi, da + per_blocco);
        const std::span<char> spazio = out.spazio((fino - da) * byte_elemento_massimo);
        char* dove = spazio.data();
        for (std::size_t n = da; n < fino; ++n) {
            const profilo_linea::tipo_valore tipo = tipi[n];
            scrittore_byte::scrivi_in_ordine(dove, static_cast<std::uint16_t>(codice_di(tipo)),
                                             byte_codice_elemento);
            dove += byte_codice_elemento;
            switch (tipo) {
                case profilo_linea::tipo_valore::vuoto:
                    break;
                case profilo_linea::tipo_valore::intero:
                    scrittore_byte::scrivi_in_ordine(
                        dove,
                        static_cast<std::uint16_t>(
                            arrotonda<std::int16_t>(valori[n], "profilo_linea")),
                        2);
                    dove += 2;
                    break;
                case profilo_linea::tipo_valore::reale:
                    scrittore_byte::scrivi_in_ordine(dove, std::bit_cast<std::uint64_t>(valori[n]),
                                                     8);
                    dove += 8;
                    break;
            }
        }
        out.avanza(static_cast<std::size_t>(dove - spazio.data()));
    }
}

}  // namespace scenario::formato
