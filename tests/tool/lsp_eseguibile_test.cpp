// The real `scenario-tool lsp` over a pipe: scripted messages in, the answers and the exit status
// out; a broken input ends it at once, never in a hang.
#include <gtest/gtest.h>

#include <string>

#include "banco_strumento.h"

namespace scenario {
namespace {

using prova::cartella_temporanea;
using prova::leggi_tutto;
using prova::virgolette;

std::string cornice(const std::string& corpo) {
    return "Content-Length: " + std::to_string(corpo.size()) + "\r\n\r\n" + corpo;
}

const std::string initialize =
    cornice(R"({"jsonrpc":"2.0","id":1,"method":"initialize","params":{"capabilities":{}}})");
const std::string shutdown = cornice(R"({"jsonrpc":"2.0","id":2,"method":"shutdown"})");
const std::string exit_ = cornice(R"({"jsonrpc":"2.0","method":"exit"})");

struct esito_lsp {
    int stato = -1;
    std::string uscita;
    std::string errori;
};

// `timeout` stops a hang: its status 124 fails the test instead of the suite.
esito_lsp lsp(const std::string& ingresso) {
    cartella_temporanea dir;
    prova::scrivi_tutto(dir / "in", ingresso);
    esito_lsp e;
    e.stato = prova::esegui_comando("timeout 60 " + virgolette(ESEGUIBILE_STRUMENTO) +
                                    " lsp --stdio < " + virgolette(dir / "in") + " > " +
                                    virgolette(dir / "out") + " 2> " + virgolette(dir / "err"));
    e.uscita = leggi_tutto(dir / "out");
    e.errori = leggi_tutto(dir / "err");
    return e;
}

TEST(EseguibileLsp, StatoZeroSoloDopoShutdownEExit) {
    esito_lsp e = lsp(initialize + shutdown + exit_);
    EXPECT_EQ(e.stato, 0) << e.errori;
    EXPECT_NE(e.uscita.find("\"id\":2,\"jsonrpc\":\"2.0\",\"result\":null"), std::string::npos)
        << e.uscita;
    EXPECT_EQ(lsp(initialize + exit_).stato, 1);
    e = lsp(initialize);
    EXPECT_EQ(e.stato, 1);
    EXPECT_NE(e.errori.find("the input ended before 'exit'"), std::string::npos) << e.errori;
}

TEST(EseguibileLsp, UnIngressoRottoHaUnaRispostaDErroreOUnUscitaPulita) {
    struct caso {
        std::string ingresso;
        int stato;
        std::string nell_uscita;
        std::string negli_errori;
    };
    const caso casi[] = {
        // Malformed JSON and unknown methods are answered; the server goes on to a clean exit.
        {initialize + cornice("{nope") + cornice(R"({"jsonrpc":"2.0","id":5,"method":"nope"})") +
             shutdown + exit_,
         0, "\"code\":-32601", ""},
        {initialize + cornice("{nope") + shutdown + exit_, 0, "\"code\":-32700", ""},
        // Broken framing and huge messages end it at once.
        {initialize + "Content-Length: 99999999999\r\n\r\n{}", 1, "", "over the limit"},
        {initialize + "Content-Lenght: 2\r\n\r\n{}" + shutdown + exit_, 1, "",
         "without Content-Length"},
        {initialize + "Content-Length: 500\r\n\r\n{}", 1, "", "ended inside a message"},
        {std::string("\x00\x01\x02garbage", 10), 1, "", "ended inside a header"},
    };
    for (const caso& c : casi) {
        const esito_lsp e = lsp(c.ingresso);
        EXPECT_EQ(e.stato, c.stato) << c.ingresso.substr(0, 200) << "\n" << e.errori;
        EXPECT_NE(e.uscita.find(c.nell_uscita), std::string::npos) << e.uscita;
        EXPECT_NE(e.errori.find(c.negli_errori), std::string::npos) << e.errori;
    }
}

}  // namespace
}  // namespace scenario
