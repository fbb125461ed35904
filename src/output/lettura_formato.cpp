#include "output/lettura_formato.h"

#include <cstdint>
#include <limits>
#include <string>

#include "output/formato_file.h"

namespace scenario::formato {

cella leggi_cella(lettore_byte& in) {
    cella c;
    c.tipo = in.u8("tipo");
    c.dato1 = in.i16("dato1");
    c.dato2 = in.i16("dato2");
    c.dato3 = in.i16("dato3");
    c.dato4 = in.i16("dato4");
    c.tempo = in.u8("tempo");
    c.preavviso = in.u8("preavviso");
    c.montagna = in.u8("montagna");
    c.velocita = in.u8("velocita");
    c.pendenza = in.u8("pendenza");
    c.aderenza = in.u8("aderenza");
    return c;
}

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

std::vector<cella> decodifica_celle(std::string_view byte) {
    if (byte.empty())
        throw file_malformato(0, "empty file: a track-cell file has at least one cell");
    if (byte.size() % byte_cella != 0) {
        std::size_t intere = byte.size() / byte_cella;
        throw file_malformato(intere * byte_cella,
                              "cell " + std::to_string(intere) + " cut short: the file is " +
                                  std::to_string(byte.size()) + " bytes, not a multiple of " +
                                  std::to_string(byte_cella) + " (" +
                                  std::to_string(byte.size() % byte_cella) + " bytes left over)");
    }
    lettore_byte in(byte);
    std::vector<cella> celle;
    celle.reserve(byte.size() / byte_cella);
    while (!in.fine()) celle.push_back(leggi_cella(in));
    return celle;
}

namespace {

struct elemento {
    profilo_linea::tipo_valore tipo;
    double valore;
};

}  // namespace

profilo_linea decodifica_geometria(std::string_view byte) {
    if (byte.empty())
        throw file_malformato(0, "empty file: a geometry file has at least one metre");
    lettore_byte in(byte);
    std::vector<elemento> elementi;
    while (!in.fine()) {
        std::size_t dove = in.posizione();
        std::uint16_t codice = in.u16("element type code");
        switch (static_cast<codice_elemento>(codice)) {
            case codice_elemento::vuoto:
                elementi.push_back({profilo_linea::tipo_valore::vuoto, 0.0});
                break;
            case codice_elemento::intero:
                elementi.push_back({profilo_linea::tipo_valore::intero,
                                    static_cast<double>(in.i16("16-bit element"))});
                break;
            case codice_elemento::reale:
                elementi.push_back({profilo_linea::tipo_valore::reale, in.f64("double element")});
                break;
            default:
                throw file_malformato(dove, "element " + std::to_string(elementi.size()) +
                                                ": unknown type code " + std::to_string(codice) +
                                                " (0, 2 or 5 expected)");
        }
    }
    if (elementi.size() % 2 != 0) {
        throw file_malformato(byte.size(), "odd number of elements (" +
                                               std::to_string(elementi.size()) +
                                               "): the two components must have one element per "
                                               "metre each");
    }
    std::size_t metri = elementi.size() / 2;
    if (metri - 1 > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        throw file_malformato(byte.size(), "more metres than a line can have");
    }
    profilo_linea profilo;
    profilo.dimensiona(static_cast<std::int32_t>(metri - 1));
    for (std::size_t n = 0; n < elementi.size(); ++n) {
        auto metro = static_cast<long long>(n % metri);
        int componente = n < metri ? 0 : 1;
        const elemento& e = elementi[n];
        if (e.tipo == profilo_linea::tipo_valore::intero) {
            profilo.imposta_intero(metro, componente, static_cast<std::int16_t>(e.valore));
        } else if (e.tipo == profilo_linea::tipo_valore::reale) {
            profilo.imposta_reale(metro, componente, e.valore);
        }
    }
    return profilo;
}

}  // namespace scenario::formato
