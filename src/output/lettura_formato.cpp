#include "output/lettura_formato.h"

#include <cstdint>
#include <string>
#include <utility>

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
    const std::size_t celle_massime = celle_per_lunghezza(lunghezza_massima);
    if (byte.size() / byte_cella > celle_massime) {
        throw file_malformato(inizio_cella(celle_massime),
                              std::to_string(byte.size() / byte_cella) + " cells, more than the " +
                                  std::to_string(celle_massime) + " of the longest line");
    }
    lettore_byte in(byte);
    std::vector<cella> celle;
    celle.reserve(byte.size() / byte_cella);
    while (!in.fine()) celle.push_back(leggi_cella(in));
    return celle;
}

namespace {

// Reads the element at `in` and returns its type and value, without keeping it.
std::pair<profilo_linea::tipo_valore, double> leggi_elemento(lettore_byte& in, std::size_t numero) {
    std::size_t dove = in.posizione();
    std::uint16_t codice = in.u16("element type code");
    switch (static_cast<codice_elemento>(codice)) {
        case codice_elemento::vuoto:
            return {profilo_linea::tipo_valore::vuoto, 0.0};
        case codice_elemento::intero:
            return {profilo_linea::tipo_valore::intero,
                    static_cast<double>(in.i16("16-bit element"))};
        case codice_elemento::reale:
            return {profilo_linea::tipo_valore::reale, in.f64("double element")};
    }
    throw file_malformato(dove, "element " + std::to_string(numero) + ": unknown type code " +
                                    std::to_string(codice) + " (0, 2 or 5 expected)");
}

std::size_t conta_elementi(std::string_view byte) {
    lettore_byte in(byte);
    std::size_t elementi = 0;
    while (!in.fine()) {
        (void)leggi_elemento(in, elementi);
        ++elementi;
    }
    return elementi;
}

}  // namespace

std::int32_t conta_metri_geometria(std::string_view byte) {
    if (byte.empty())
        throw file_malformato(0, "empty file: a geometry file has at least one metre");
    std::size_t elementi = conta_elementi(byte);
    if (elementi % 2 != 0) {
        throw file_malformato(byte.size(), "odd number of elements (" + std::to_string(elementi) +
                                               "): the two components must have one element per "
                                               "metre each");
    }
    std::size_t metri = elementi / 2;
    const std::size_t metri_massimi = metri_per_lunghezza(lunghezza_massima);
    if (metri > metri_massimi) {
        throw file_malformato(byte.size(), std::to_string(metri) + " metres, more than the " +
                                               std::to_string(metri_massimi) +
                                               " of the longest line");
    }
    return static_cast<std::int32_t>(metri);
}

profilo_linea decodifica_geometria(std::string_view byte) {
    // A first pass checks every element and counts them, so that nothing is allocated for a
    // file that is not a geometry, and the geometry is allocated once at its size.
    const auto metri = static_cast<std::size_t>(conta_metri_geometria(byte));
    const std::size_t elementi = 2 * metri;
    profilo_linea profilo;
    profilo.dimensiona(static_cast<std::int32_t>(metri - 1));
    lettore_byte in(byte);
    for (std::size_t n = 0; n < elementi; ++n) {
        auto metro = static_cast<long long>(n % metri);
        int componente = n < metri ? 0 : 1;
        auto [tipo, valore] = leggi_elemento(in, n);
        if (tipo == profilo_linea::tipo_valore::intero) {
            profilo.imposta_intero(metro, componente, static_cast<std::int16_t>(valore));
        } else if (tipo == profilo_linea::tipo_valore::reale) {
            profilo.imposta_reale(metro, componente, valore);
        }
    }
    return profilo;
}

}  // namespace scenario::formato
