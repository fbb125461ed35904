#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "documents/documenti.h"
#include "documents/righe_documento.h"
#include "model/nomi_file.h"
#include "support/cartella_temporanea.h"

namespace scenario {
namespace {

using prova::caratteri;

TEST(Scheda, FramedLinesAre83CharactersOpenRules82) {
    const std::vector<std::string> scheda = prova::righe_documento(elenco_scheda());
    ASSERT_EQ(scheda.size(), 55u);
    for (int n : {2, 7, 12}) EXPECT_EQ(caratteri(scheda[n]), 82u) << "line " << n;
    for (int n = 3; n <= 47; ++n) {
        if (n == 7 || n == 11 || n == 12) continue;
        EXPECT_EQ(caratteri(scheda[n]), 83u) << "line " << n;
    }
}

}  // namespace
}  // namespace scenario
