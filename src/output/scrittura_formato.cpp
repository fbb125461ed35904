#include "output/scrittura_formato.h"

#include "model/numeri.h"
#include "output/formato_file.h"

namespace scenario::formato {

void scrivi_cella(scrittore_byte& out, const cella& c) {
    out.u8(c.tipo);
    out.i16(c.dato1);
    out.i16(c.dato2);
    out.i16(c.dato3);
    out.i16(c.dato4);
    out.u8(c.tempo);
    out.u8(c.preavviso);
    out.u8(c.montagna);
    out.u8(c.velocita);
    out.u8(c.pendenza);
    out.u8(c.aderenza);
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

}  // namespace scenario::formato
