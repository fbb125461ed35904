#include "tool/lsp_cornice.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace scenario::strumento::lsp {
namespace {

TEST(CorniceLsp, LeggeIMessaggiUnoDopoLAltroEFinisceTraDueMessaggi) {
    std::istringstream in(
        "Content-Length: 2\r\n\r\n{}"
        "content-type: application/vscode-jsonrpc; charset=utf-8\r\n"
        "CONTENT-LENGTH:   7 \r\n\r\n[1,2,3]");
    messaggio_letto m = leggi_messaggio(in);
    EXPECT_EQ(m.esito, esito_lettura::messaggio);
    EXPECT_EQ(m.corpo, "{}");
    m = leggi_messaggio(in);
    EXPECT_EQ(m.esito, esito_lettura::messaggio);
    EXPECT_EQ(m.corpo, "[1,2,3]");
    EXPECT_EQ(leggi_messaggio(in).esito, esito_lettura::fine);
}

TEST(CorniceLsp, UnaCorniceRottaONonLimitataSiFermaConIlMotivo) {
    struct caso {
        std::string ingresso;
        std::string motivo;
    };
    const caso casi[] = {
        {"Content-Type: x\r\n\r\n{}", "without Content-Length"},
        {"Content-Length: abc\r\n\r\n", "is not a number"},
        {"Content-Length: -1\r\n\r\n", "is not a number"},
        {"Content-Length: 99999999999999999999999\r\n\r\n", "too large"},
        {"Content-Length: 1000001\r\n\r\n", "over the limit of 1000000 bytes"},
        {"Content-Length: 2\n\n{}", "not ended by CR LF"},
        {"Content-Length 2\r\n\r\n{}", "without ':'"},
        {"Content-Length: 10\r\n\r\n{}", "ended inside a message of 10 bytes"},
        {"Content-Length: 2\r\nContent-Length: 3\r\n\r\n{}", "two different"},
        {"Content-Length: 2\r\n", "ended inside a header"},
        {std::string(5000, 'x') + "\r\n\r\n", "longer than 1024"},
    };
    for (const caso& c : casi) {
        std::istringstream in(c.ingresso);
        const messaggio_letto m = leggi_messaggio(in, 1000000);
        EXPECT_EQ(m.esito, esito_lettura::cornice_errata) << c.ingresso.substr(0, 60);
        EXPECT_NE(m.motivo.find(c.motivo), std::string::npos) << m.motivo;
    }
    std::string molte_righe;
    for (int n = 0; n < 40; ++n) molte_righe += "X-Altro: 1\r\n";
    std::istringstream in(molte_righe);
    EXPECT_EQ(leggi_messaggio(in).esito, esito_lettura::cornice_errata);
}

TEST(CorniceLsp, ScriveLaLunghezzaInByte) {
    std::ostringstream out;
    scrivi_messaggio(out, "{\"a\":\"\xc3\xa8\"}");
    EXPECT_EQ(out.str(), "Content-Length: 10\r\n\r\n{\"a\":\"\xc3\xa8\"}");
}

}  // namespace
}  // namespace scenario::strumento::lsp
