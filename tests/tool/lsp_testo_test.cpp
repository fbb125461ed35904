#include "tool/lsp_testo.h"

#include <gtest/gtest.h>

#include <string>

namespace scenario::strumento::lsp {
namespace {

TEST(TestoLsp, CodificaComeLEditorSalvaInWindows1252) {
    // "PERÒ °€" then, on the second line, a character the code page lacks and a bad byte.
    const testo_codificato t = codifica_per_disco(
        "PER\xc3\x92 \xc2\xb0\xe2\x82\xac\r\nA\xf0\x9f\x98\x80"
        "B\xff");
    EXPECT_EQ(t.byte, "PER\xd2 \xb0\x80\r\nA?B?");
    ASSERT_EQ(t.mancanti.size(), 2u);
    EXPECT_EQ(t.mancanti[0].riga, 1);
    EXPECT_EQ(t.mancanti[0].indice, 1);
    EXPECT_EQ(t.mancanti[0].carattere, "\xf0\x9f\x98\x80");
    EXPECT_EQ(t.mancanti[1].indice, 3);
    // The five unassigned bytes read as U+FFFD: it is not written back as one of them.
    EXPECT_EQ(codifica_per_disco("\xef\xbf\xbd").byte, "?");
}

TEST(TestoLsp, LeColonneSecondoLUnitaDelClient) {
    // "è😀x": one character of two UTF-8 bytes, one of four (two UTF-16 units), one ASCII.
    const std::string riga = "\xc3\xa8\xf0\x9f\x98\x80x";
    struct caso {
        unita_colonna unita;
        std::int32_t colonne[4];
    };
    const caso casi[] = {{unita_colonna::utf8, {0, 2, 6, 7}},
                         {unita_colonna::utf16, {0, 1, 3, 4}},
                         {unita_colonna::utf32, {0, 1, 2, 3}}};
    for (const caso& c : casi) {
        for (std::int32_t indice = 0; indice < 4; ++indice) {
            EXPECT_EQ(colonna_client(riga, indice, c.unita), c.colonne[indice]);
            EXPECT_EQ(indice_da_colonna(riga, c.colonne[indice], c.unita), indice);
        }
    }
    // Inside the surrogate pair, or past the end.
    EXPECT_EQ(indice_da_colonna(riga, 2, unita_colonna::utf16), 1);
    EXPECT_EQ(indice_da_colonna(riga, 99, unita_colonna::utf16), 3);
    EXPECT_EQ(riga_testo("a\r\nb\nc", 1), "b");
    EXPECT_EQ(riga_testo("a\r\nb\nc", 2), "c");
    EXPECT_EQ(riga_testo("a\r\nb\nc", 3), "");
}

TEST(TestoLsp, UriEPercorsi) {
    EXPECT_EQ(percorso_da_uri("file:///tmp/a%20b/Mia_linea.txt"),
              std::filesystem::path("/tmp/a b/Mia_linea.txt"));
    EXPECT_EQ(percorso_da_uri("file://localhost/tmp/x"), std::filesystem::path("/tmp/x"));
    EXPECT_EQ(uri_da_percorso("/tmp/a b/\xc3\xa8_linea.txt"), "file:///tmp/a%20b/%C3%A8_linea.txt");
    for (const char* rotto : {"http://x/y", "file:///a%2", "file:///a%zz", "file://host/a",
                              "file:///a%00b", "file://"}) {
        EXPECT_FALSE(percorso_da_uri(rotto)) << rotto;
    }
    const std::filesystem::path p = "/tmp/%x y/A_1-.txt";
    EXPECT_EQ(percorso_da_uri(uri_da_percorso(p)), p);
}

}  // namespace
}  // namespace scenario::strumento::lsp
