#include "tool/argomenti.h"

#include <gtest/gtest.h>

#include <array>

#include "banco_strumento.h"

namespace scenario {
namespace {

using strumento::analizza_argomenti;
using strumento::errore_uso;
using strumento::opzione;

constexpr std::array<opzione, 3> opzioni = {{
    {"scenario", '\0', true},
    {"output", 'o', true},
    {"force", '\0', false},
}};

TEST(Argomenti, FormeDelleOpzioniEPosizionali) {
    strumento::argomenti a = analizza_argomenti(
        {"dir", "--scenario=A=B", "-o", "-x.svg", "--force", "--", "--scenario"}, opzioni);
    EXPECT_EQ(a.posizionali, (std::vector<std::string>{"dir", "--scenario"}));
    EXPECT_EQ(a.richiesto("scenario"), "A=B");
    EXPECT_EQ(a.richiesto("output"), "-x.svg");  // a value may begin with a dash
    EXPECT_TRUE(a.ha("force"));
    EXPECT_EQ(a.valore("train"), nullptr);
    EXPECT_THROW(a.richiesto("train"), errore_uso);
}

TEST(Argomenti, ErroriDiUso) {
    const std::vector<std::vector<std::string>> sbagliati = {
        {"--nuova"},
        {"-x"},
        {"--scenario"},
        {"--force=1"},
        {"--scenario", "a", "--scenario", "b"},
        {"-o", "a", "--output", "b"},
    };
    for (const auto& parole : sbagliati) {
        EXPECT_THROW(analizza_argomenti(parole, opzioni), errore_uso) << parole[0];
    }
}

TEST(Argomenti, NomiCheDiventanoNomiDiFile) {
    for (const char* buono : {"Lerno_Castelbrum_Pusena", "27364", "a b-c.d"}) {
        EXPECT_NO_THROW(strumento::verifica_nome(buono, "scenario")) << buono;
    }
    for (const char* cattivo : {"", ".", "..", "a/b", "a\\b", "c:d", "citt\xC3\xA0", "a\tb"}) {
        EXPECT_THROW(strumento::verifica_nome(cattivo, "scenario"), errore_uso) << cattivo;
    }
}

// The dispatcher turns every mistake on the command line into status 64 and a pointer to help.
TEST(Strumento, RigheDiComandoSbagliateDannoStato64) {
    const std::vector<std::vector<std::string>> sbagliate = {
        {},
        {"compila"},
        {"compile"},
        {"compile", "dir", "--scenario", "X"},
        {"compile", "a", "b", "--scenario", "X", "--train", "1"},
        {"compile", "dir", "--scenario", "X/Y", "--train", "1"},
        {"sources"},
        {"dump", "x.dat", "--step", "0"},
        {"dump", "x.dat", "--step", "5"},
        {"dump", "x_linea.dat", "--step", "due"},
        {"render", "dir", "--scenario", "X", "--train", "1"},
        {"help", "compila"},
    };
    for (const auto& parole : sbagliate) {
        prova::esito_strumento e = prova::strumento(parole);
        EXPECT_EQ(e.stato, 64) << (parole.empty() ? "(none)" : parole[0]) << ": " << e.errori;
        EXPECT_FALSE(e.errori.empty());
    }
}

TEST(Strumento, AiutoDelloStrumentoEDiOgniComando) {
    prova::esito_strumento generale = prova::strumento({"--help"});
    EXPECT_EQ(generale.stato, 0);
    for (const char* comando : {"compile", "sources", "dump", "render"}) {
        EXPECT_NE(generale.uscita.find(std::string("  ") + comando + " "), std::string::npos)
            << comando;
        prova::esito_strumento aiuto = prova::strumento({"help", comando});
        prova::esito_strumento opzione = prova::strumento({comando, "x", "--help", "--bogus"});
        EXPECT_EQ(aiuto.stato, 0);
        EXPECT_EQ(opzione.stato, 0);
        EXPECT_EQ(aiuto.uscita, opzione.uscita);
        EXPECT_EQ(aiuto.uscita.rfind(std::string("Usage: scenario-tool ") + comando, 0), 0u)
            << aiuto.uscita;
    }
}

}  // namespace
}  // namespace scenario
