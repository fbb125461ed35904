#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "documents/documenti.h"
#include "documents/righe_documento.h"
#include "support/cartella_temporanea.h"

namespace scenario {
namespace {

using prova::caratteri;

bool inizia(const std::string& riga, const std::string& prefisso) {
    return riga.compare(0, prefisso.size(), prefisso) == 0;
}

TEST(Note, EmptyLinesStandWhereTheLineMapPutsThem) {
    const std::vector<std::string> note = prova::righe_documento(elenco_note());
    ASSERT_EQ(note.size(), 34u);
    const std::set<std::size_t> vuote = {9, 24, 25, 28, 29, 30};
    for (std::size_t n = 0; n < note.size(); ++n) {
        EXPECT_EQ(note[n].empty(), vuote.count(n) == 1)
            << "line " << n << ": \"" << note[n] << "\"";
    }
    EXPECT_EQ(note[10].back(), ':');
}

TEST(Note, ListItemsAndTheirContinuationLines) {
    const std::vector<std::string> note = prova::righe_documento(elenco_note());
    ASSERT_EQ(note.size(), 34u);
    // Line -> how it must begin: "- " opens an item; items 3 to 5 indent their continuation
    // lines by two spaces, item 2 not at all.
    enum tipo { voce, segue_a_margine, segue_rientrata };
    const std::vector<std::pair<std::size_t, tipo>> elenco = {
        {11, voce},
        {12, voce},
        {13, segue_a_margine},
        {14, segue_a_margine},
        {15, voce},
        {16, segue_rientrata},
        {17, segue_rientrata},
        {18, voce},
        {19, segue_rientrata},
        {20, segue_rientrata},
        {21, voce},
        {22, segue_rientrata},
        {23, voce},
    };
    for (const auto& [n, atteso] : elenco) {
        const std::string& riga = note[n];
        ASSERT_GE(riga.size(), 3u) << "line " << n;
        switch (atteso) {
            case voce:
                EXPECT_TRUE(inizia(riga, "- ") && riga[2] != ' ') << "line " << n << ": " << riga;
                break;
            case segue_a_margine:
                EXPECT_TRUE(riga[0] != ' ' && !inizia(riga, "- ")) << "line " << n << ": " << riga;
                break;
            case segue_rientrata:
                EXPECT_TRUE(inizia(riga, "  ") && riga[2] != ' ' && riga[2] != '-')
                    << "line " << n << ": " << riga;
                break;
        }
    }
}

TEST(Note, ItemsNameThePlacesTheyTalkAbout) {
    const std::vector<std::string> note = prova::righe_documento(elenco_note());
    ASSERT_EQ(note.size(), 34u);
    const std::vector<std::pair<std::size_t, std::string>> luoghi = {
        {11, "DORVANO"},          {12, "CASTELBRUM"}, {15, "GRUVICCANO"},
        {18, "GROTTE S. MERVIO"}, {21, "PUSENA"},
    };
    for (const auto& [n, luogo] : luoghi) {
        EXPECT_NE(note[n].find(luogo), std::string::npos) << "line " << n << ": " << note[n];
    }
    std::string apertura;
    for (std::size_t n = 0; n <= 8; ++n) apertura += note[n];
    for (const char* dato : {"27364", "E626", "105%", "300T"}) {
        EXPECT_NE(apertura.find(dato), std::string::npos) << dato;
    }
}

TEST(Note, ProseIsWrappedByHand) {
    const std::vector<std::string> note = prova::righe_documento(elenco_note());
    ASSERT_EQ(note.size(), 34u);
    bool prosegue = false;
    for (std::size_t n = 0; n < note.size(); ++n) {
        const std::string& riga = note[n];
        EXPECT_LE(caratteri(riga), 100u) << "line " << n;
        if (riga.empty()) continue;
        if (riga.back() == ' ') {
            prosegue = true;
            // A trailing blank means the sentence goes on in the next line.
            ASSERT_LT(n + 1, note.size());
            EXPECT_FALSE(note[n + 1].empty()) << "line " << n << " ends in a blank before a gap";
            EXPECT_FALSE(inizia(note[n + 1], "- ")) << "line " << n << " runs into a new item";
        }
        EXPECT_NE(riga.back(), '-') << "split word at line " << n;
    }
    EXPECT_TRUE(prosegue);
}

}  // namespace
}  // namespace scenario
