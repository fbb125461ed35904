#include "tool/significati.h"

#include <gtest/gtest.h>

namespace scenario::strumento {
namespace {

TEST(Significati, ValoriImpacchettatiSpacchettatiOppureSoloGrezzi) {
    struct caso {
        const char* nome;
        cella c;
        std::size_t membro;
        const char* atteso;
    };
    const caso casi[] = {
        {"board stripes", cella{6, 0, 0, 0, 12}, 4, "stripes s 1, d 2"},
        {"board speeds", cella{6, 1818}, 1, "A: s 90 km/h, d 90 km/h"},
        {"signal group", cella{1, 0, 0, 97}, 3, "s3 9, d3 7"},
        // A negative value was not packed from row fields: it stays raw.
        {"signal value wrapped negative", cella{1, -3}, 1, ""},
        {"kind the compiler never writes", cella{7, 5}, 0, ""},
        {"no meaning for the kind", cella{11, 5}, 1, ""},
        {"descent", cella{0, 0, 0, 0, 0, 0, 0, 0, 0, 88}, 9, "-12 \u2030"},
    };
    for (const caso& k : casi) {
        EXPECT_EQ(significato_membro_cella(k.c, k.membro), k.atteso) << k.nome;
    }
}

}  // namespace
}  // namespace scenario::strumento
