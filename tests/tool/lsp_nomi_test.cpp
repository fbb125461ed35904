#include "tool/lsp_nomi.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace scenario::strumento::lsp {
namespace {

TEST(NomiLsp, RiconosceLeDueSorgentiDalNome) {
    auto r = riconosci_nome("Mia_linea.txt");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->tipo, tipo_sorgente::linea);
    EXPECT_EQ(r->radice, "Mia");
    r = riconosci_nome("Mia_Val_101-.txt");
    ASSERT_TRUE(r);
    EXPECT_EQ(r->tipo, tipo_sorgente::treno);
    EXPECT_EQ(r->radice, "Mia_Val_101");
    for (const char* altro : {"_linea.txt", "Mia-.txt", "Mia_-.txt", "_1-.txt", "Mia_linea.dat",
                              "Mia_101.txt", "note.txt"}) {
        EXPECT_FALSE(riconosci_nome(altro)) << altro;
    }
}

TEST(NomiLsp, IlNomeDelTrenoEIlPrefissoPiuLungoConLaSuaLinea) {
    std::set<std::string> linee = {"A", "A_B"};
    auto esiste = [&linee](const std::string& n) { return linee.count(n) > 0; };
    auto s = scomponi_treno("A_B_7", esiste);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->nome, "A_B");
    EXPECT_EQ(s->numero, "7");
    s = scomponi_treno("A_C_7", esiste);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->nome, "A");
    EXPECT_EQ(s->numero, "C_7");
    EXPECT_FALSE(scomponi_treno("Z_7", esiste));
    linee = {"A_B_7"};
    // The whole root is NAME_NUMBER: NUMBER is never empty.
    EXPECT_FALSE(scomponi_treno("A_B_7", esiste));
}

}  // namespace
}  // namespace scenario::strumento::lsp
