#include "tool/decodifica_celle.h"

#include "tool/lettore_byte.h"

namespace scenario::strumento {

std::vector<cella> decodifica_celle(std::string_view byte) {
    if (byte.empty())
        throw file_malformato(0, "empty file: a track-cell file has at least one cell");
    if (byte.size() % byte_per_cella != 0) {
        std::size_t intere = byte.size() / byte_per_cella;
        throw file_malformato(intere * byte_per_cella,
                              "cell " + std::to_string(intere) + " cut short: the file is " +
                                  std::to_string(byte.size()) + " bytes, not a multiple of 15 (" +
                                  std::to_string(byte.size() % byte_per_cella) +
                                  " bytes left over)");
    }
    lettore_byte in(byte);
    std::vector<cella> celle;
    celle.reserve(byte.size() / byte_per_cella);
    while (!in.fine()) {
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
        celle.push_back(c);
    }
    return celle;
}

}  // namespace scenario::strumento
