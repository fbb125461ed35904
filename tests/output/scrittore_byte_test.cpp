#include "output/scrittore_byte.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace scenario {
namespace {

// Keeps each block it is given, so that the tests see how the bytes were passed on.
class blocchi_ricevuti : public destinazione_byte {
  public:
    void ricevi(std::string_view byte) override { blocchi.emplace_back(byte); }
    std::string tutti() const {
        std::string s;
        for (const std::string& b : blocchi) s += b;
        return s;
    }
    std::vector<std::string> blocchi;
};

// The same values through both writers: a long run of mixed widths that crosses many block
// boundaries, a text longer than a block in the middle, and small pieces after it.
template <typename Scrittore>
void scrivi_valori(Scrittore& out) {
    for (std::int32_t n = 0; n < 200000; ++n) {
        out.u16(static_cast<std::uint16_t>(n % 3 == 0 ? 5 : 2));
        if (n % 3 == 0) {
            out.f64(n * 0.1 - 7.25);
        } else {
            out.i16(static_cast<std::int16_t>(-n));
        }
        if (n == 100000) out.grezzi(std::string(700000, 'x'));
        if (n % 1000 == 0) out.i32(-n);
        if (n % 777 == 0) out.u8(static_cast<std::uint8_t>(n));
    }
}

TEST(ScrittoreByte, ADestinazioneGliStessiByteCheInMemoriaABlocchiLimitati) {
    scrittore_byte in_memoria;
    scrivi_valori(in_memoria);
    const std::string attesi = in_memoria.prendi();

    blocchi_ricevuti destinazione;
    scrittore_byte out(destinazione);
    scrivi_valori(out);
    EXPECT_LT(destinazione.tutti().size(), attesi.size()) << "the last block waits for concludi";
    out.concludi();
    EXPECT_EQ(destinazione.tutti(), attesi);
    // A handful of writes, growing to large ones, not one per value; the one text larger than a
    // block went on as it was.
    EXPECT_GT(destinazione.blocchi.size(), 3u);
    EXPECT_LT(destinazione.blocchi.size(), attesi.size() / 65536);
    EXPECT_EQ(std::count(destinazione.blocchi.begin(), destinazione.blocchi.end(),
                         std::string(700000, 'x')),
              1);
    out.concludi();
    EXPECT_EQ(destinazione.tutti(), attesi) << "a second concludi passes on nothing";
}

TEST(ScrittoreByte, LittleEndianComplementoADueEIEEE754) {
    scrittore_byte out;
    out.u8(0xAB);
    out.u16(0x1234);
    out.i16(-2);
    out.i32(-2);
    out.f64(1.0);
    EXPECT_EQ(out.dati(), std::string("\xAB\x34\x12\xFE\xFF\xFE\xFF\xFF\xFF"
                                      "\x00\x00\x00\x00\x00\x00\xF0\x3F",
                                      17));
}

// A destination that fails (a full disk) stops the writer; the bytes it refused are not passed
// on again by a later block.
TEST(ScrittoreByte, UnaDestinazioneCheFallisceFermaLaScrittura) {
    class piena : public destinazione_byte {
      public:
        void ricevi(std::string_view byte) override {
            if (++chiamate == 2) throw std::runtime_error("disco pieno");
            ricevuti += byte.size();
        }
        int chiamate = 0;
        std::size_t ricevuti = 0;
    } destinazione;
    scrittore_byte out(destinazione);
    EXPECT_THROW(
        {
            for (int n = 0; n < 1000000; ++n) out.f64(n);
        },
        std::runtime_error);
    const std::size_t ricevuti = destinazione.ricevuti;
    EXPECT_GT(ricevuti, 0u);
    out.concludi();
    EXPECT_EQ(destinazione.chiamate, 2);
    EXPECT_EQ(destinazione.ricevuti, ricevuti);
}

}  // namespace
}  // namespace scenario
