#include "tool/decodifica_punti.h"

#include "tool/lettore_byte.h"

namespace scenario::strumento {

namespace {

punto leggi_punto(lettore_byte& in) {
    punto p;
    p.tipo = in.u8("tipo");
    p.inizio = in.i32("inizio");
    p.fine = in.i32("fine");
    p.posizione = in.i32("posizione");
    p.voce_4 = in.u8("voce_4");
    std::size_t dove = in.posizione();
    std::int16_t lunghezza = in.i16("name length");
    if (lunghezza < 0) {
        throw file_malformato(dove, "negative name length " + std::to_string(lunghezza));
    }
    if (static_cast<std::size_t>(lunghezza) > in.restanti()) {
        throw file_malformato(dove, "name of " + std::to_string(lunghezza) +
                                        " bytes runs past the end of the file (" +
                                        std::to_string(in.restanti()) + " bytes left)");
    }
    p.nome = std::string(in.grezzi(static_cast<std::size_t>(lunghezza), "nome"));
    p.voce_7 = in.i16("voce_7");
    p.voce_8 = in.i16("voce_8");
    p.voce_10 = in.i16("voce_10");
    p.voce_11 = in.i16("voce_11");
    p.voce_12 = in.i16("voce_12");
    p.voce_9 = in.u8("voce_9");
    p.voce_13 = in.u8("voce_13");
    p.voce_6 = in.u8("voce_6");
    p.voce_5 = in.u8("voce_5");
    p.orario = in.i32("orario");
    return p;
}

}  // namespace

std::vector<punto> decodifica_punti(std::string_view byte) {
    lettore_byte in(byte);
    std::vector<punto> punti;
    punti.reserve(indice_punti::numero);
    for (int n = 0; n < indice_punti::numero; ++n) {
        std::size_t inizio = in.posizione();
        try {
            punti.push_back(leggi_punto(in));
        } catch (const file_malformato& e) {
            throw file_malformato(e.offset(), "record " + std::to_string(n) + " (from byte " +
                                                  std::to_string(inizio) + "): " + e.cosa());
        }
    }
    if (!in.fine()) {
        std::size_t resto = in.restanti();
        throw file_malformato(
            in.posizione(),
            std::to_string(resto) + (resto == 1 ? " byte" : " bytes") + " after the 87th record");
    }
    return punti;
}

}  // namespace scenario::strumento
