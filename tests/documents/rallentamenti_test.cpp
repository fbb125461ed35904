#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "documents/documenti.h"
#include "documents/righe_documento.h"

namespace scenario {
namespace {

TEST(Rallentamenti, FramedLinesAre82CharactersAndAllAscii) {
    const std::vector<std::string> ordine = prova::righe_documento(elenco_rallentamenti());
    ASSERT_EQ(ordine.size(), 46u);
    EXPECT_EQ(ordine[7].size(), 81u);
    for (int n = 8; n <= 38; ++n) EXPECT_EQ(ordine[n].size(), 82u) << "line " << n;
    for (const std::string& riga : ordine) {
        for (char c : riga) EXPECT_LT(static_cast<unsigned char>(c), 0x80u) << riga;
    }
}

}  // namespace
}  // namespace scenario
