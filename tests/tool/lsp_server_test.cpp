#include "tool/lsp_server.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "banco_strumento.h"
#include "support/cartella_temporanea.h"
#include "textfile/codifica.h"

namespace scenario::strumento::lsp {
namespace {

using nlohmann::json;

const std::string nome_linea = "Lerno_Castelbrum_Pusena_linea.txt";
const std::string nome_treno = "Lerno_Castelbrum_Pusena_27364-.txt";

// A client in a test: the built-in sources in a folder of their own, a server, and everything the
// server sent.
class ClientLsp : public ::testing::Test {
  protected:
    void SetUp() override {
        prova::esporta_incorporate(cartella.percorso());
        // As VS Code: snippets in completions.
        inizializza(
            {{"textDocument", {{"completion", {{"completionItem", {{"snippetSupport", true}}}}}}}});
    }

    void inizializza(const json& capacita) {
        invia({{"jsonrpc", "2.0"},
               {"id", 1},
               {"method", "initialize"},
               {"params", {{"capabilities", capacita}}}});
        invia({{"jsonrpc", "2.0"}, {"method", "initialized"}, {"params", json::object()}});
    }

    void invia(const json& m) { server.gestisci(m.dump()); }

    std::string uri(const std::string& nome) const {
        return uri_da_percorso(cartella.percorso() / nome);
    }
    std::string su_disco(const std::string& nome) const {
        return da_cp1252(prova::leggi_tutto(cartella.percorso() / nome));
    }

    void apri(const std::string& nome, const std::string& testo) {
        invia({{"jsonrpc", "2.0"},
               {"method", "textDocument/didOpen"},
               {"params",
                {{"textDocument",
                  {{"uri", uri(nome)},
                   {"languageId", "plaintext"},
                   {"version", 1},
                   {"text", testo}}}}}});
    }
    void cambia(const std::string& nome, const std::string& testo) {
        invia({{"jsonrpc", "2.0"},
               {"method", "textDocument/didChange"},
               {"params",
                {{"textDocument", {{"uri", uri(nome)}, {"version", 2}}},
                 {"contentChanges", json::array({{{"text", testo}}})}}}});
    }
    json richiedi(const std::string& metodo, const std::string& nome, int riga, int colonna) {
        invia({{"jsonrpc", "2.0"},
               {"id", ++ultimo_id},
               {"method", metodo},
               {"params",
                {{"textDocument", {{"uri", uri(nome)}}},
                 {"position", {{"line", riga}, {"character", colonna}}}}}});
        return risposta(ultimo_id);
    }
    json risposta(int id) const {
        for (const json& m : inviati) {
            if (m.contains("id") && m["id"] == id) return m;
        }
        ADD_FAILURE() << "no answer to " << id;
        return json();
    }

    // The diagnostics published for each URI by the last `pubblica`, and how often each came.
    std::map<std::string, std::vector<json>> pubblica() {
        inviati.clear();
        server.pubblica();
        std::map<std::string, std::vector<json>> per_uri;
        for (const json& m : inviati) {
            if (m.value("method", "") != "textDocument/publishDiagnostics") continue;
            per_uri[m["params"]["uri"]].push_back(m["params"]["diagnostics"]);
        }
        return per_uri;
    }

    static const json* cerca(const json& elenco, const std::string& codice) {
        for (const json& d : elenco) {
            if (d.contains("code") && d["code"].dump() == codice) return &d;
        }
        return nullptr;
    }

    // The 0-based line of the first line of `testo` holding `parte`.
    static int riga_con(const std::string& testo, const std::string& parte) {
        const std::size_t dove = testo.find(parte);
        EXPECT_NE(dove, std::string::npos) << parte;
        return static_cast<int>(
            std::count(testo.begin(), testo.begin() + static_cast<long>(dove), '\n'));
    }

    prova::cartella_temporanea cartella;
    std::vector<json> inviati;
    server_lsp server{[this](const json& m) { inviati.push_back(m); }};
    int ultimo_id = 1;
};

TEST_F(ClientLsp, UnaParolaSbagliataNelTestoNonSalvatoEUnAvvisoASuaRiga) {
    std::string treno = su_disco(nome_treno);
    treno.replace(treno.find("segnale,    2800"), 7, "segnal");
    apri(nome_treno, treno);
    EXPECT_TRUE(server.in_attesa());
    auto pubblicate = pubblica();
    ASSERT_EQ(pubblicate[uri(nome_treno)].size(), 1u);
    // Both files of the pair are published, the line once.
    ASSERT_EQ(pubblicate[uri(nome_linea)].size(), 1u);
    EXPECT_EQ(pubblicate[uri(nome_linea)][0], json::array());
    const json& elenco = pubblicate[uri(nome_treno)][0];
    const json* d = cerca(elenco, "\"unknown-record\"");
    ASSERT_NE(d, nullptr) << elenco.dump(1);
    EXPECT_EQ((*d)["severity"], 2);
    EXPECT_EQ((*d)["range"]["start"]["line"], riga_con(treno, "segnal,    2800"));
    EXPECT_EQ((*d)["range"]["start"]["character"], 0);
    EXPECT_EQ((*d)["range"]["end"]["character"], 6);

    // The fix clears it; nothing waits afterwards.
    cambia(nome_treno, su_disco(nome_treno));
    pubblicate = pubblica();
    EXPECT_EQ(pubblicate[uri(nome_treno)][0], json::array());
    EXPECT_FALSE(server.in_attesa());
}

TEST_F(ClientLsp, UnCodiceNePortaLaNotaNellAltroFileComeInformazioneCorrelata) {
    std::string treno = su_disco(nome_treno);
    // A signal on the indication board of the line at 550 m (cell 12): code 16.
    treno.replace(treno.find("segnale,    2800"), 16, "segnale,     550");
    apri(nome_treno, treno);
    const json elenco = pubblica()[uri(nome_treno)].at(0);
    const json* d = cerca(elenco, "16");
    ASSERT_NE(d, nullptr) << elenco.dump(1);
    EXPECT_EQ((*d)["severity"], 1);
    EXPECT_NE((*d)["message"].get<std::string>().find("(at 550 m)"), std::string::npos);
    const json& correlata = (*d)["relatedInformation"].at(0);
    EXPECT_EQ(correlata["location"]["uri"], uri(nome_linea));
    EXPECT_EQ(correlata["location"]["range"]["start"]["line"],
              riga_con(su_disco(nome_linea), "cartello_indicatore,  550"));
    EXPECT_NE(correlata["message"].get<std::string>().find("indication board"), std::string::npos);
}

TEST_F(ClientLsp, LaLineaControllataConOgniTrenoEPubblicataUnaVolta) {
    // A second train of the same scenario, and one of a scenario "Lerno" without a line.
    prova::scrivi_tutto(cartella.percorso() / "Lerno_Castelbrum_Pusena_9-.txt",
                        prova::leggi_tutto(cartella.percorso() / nome_treno));
    std::string linea = su_disco(nome_linea);
    linea.replace(linea.find("pendenza,  19300"), 8, "pendnza");
    apri(nome_linea, linea);
    auto pubblicate = pubblica();
    ASSERT_EQ(pubblicate[uri(nome_linea)].size(), 1u);
    const json& elenco = pubblicate[uri(nome_linea)][0];
    EXPECT_EQ(std::count_if(elenco.begin(), elenco.end(),
                            [](const json& d) { return d["code"] == "unknown-record"; }),
              1)
        << elenco.dump(1);
    EXPECT_EQ(pubblicate.count(uri(nome_treno)), 1u);
    EXPECT_EQ(pubblicate.count(uri("Lerno_Castelbrum_Pusena_9-.txt")), 1u);
}

TEST_F(ClientLsp, UnaSorgenteCambiataSulDiscoRifaLaVerificaDelSuoScenario) {
    apri(nome_linea, su_disco(nome_linea));
    pubblica();
    prova::modifica(cartella.percorso() / nome_treno, "segnale,    2800", "segnal,     2800");
    invia({{"jsonrpc", "2.0"},
           {"method", "workspace/didChangeWatchedFiles"},
           {"params",
            {{"changes", json::array({{{"uri", uri(nome_treno)}, {"type", 2}},
                                      {{"uri", uri("note.txt")}, {"type", 2}}})}}}});
    ASSERT_TRUE(server.in_attesa());
    auto pubblicate = pubblica();
    ASSERT_EQ(pubblicate[uri(nome_treno)].size(), 1u);
    EXPECT_NE(cerca(pubblicate[uri(nome_treno)][0], "\"unknown-record\""), nullptr);
}

TEST_F(ClientLsp, UnTrenoSenzaLineaLoDiceEUnCarattereFuoriCodificaEUnAvviso) {
    std::string linea = su_disco(nome_linea);
    std::filesystem::remove(cartella.percorso() / nome_linea);
    apri(nome_treno, su_disco(nome_treno));
    auto pubblicate = pubblica();
    ASSERT_NE(cerca(pubblicate[uri(nome_treno)].at(0), "\"no-line-source\""), nullptr);

    // Opening the line source (not saved) finds the train's scenario.
    // An emoji in a misspelt keyword: UTF-16 columns after it count two units.
    linea.replace(linea.find("pendenza,  19300"), 8, "\xf0\x9f\x98\x80pendnza");
    apri(nome_linea, linea);
    pubblicate = pubblica();
    const json& elenco = pubblicate[uri(nome_linea)].at(0);
    const json* d = cerca(elenco, "\"not-windows-1252\"");
    ASSERT_NE(d, nullptr) << elenco.dump(1);
    EXPECT_EQ((*d)["range"]["end"]["character"], 2);
    // Saved as "?pendnza": an unknown record, whose field ends after the two units.
    const json* parola = cerca(elenco, "\"unknown-record\"");
    ASSERT_NE(parola, nullptr) << elenco.dump(1);
    EXPECT_EQ((*parola)["range"]["end"]["character"], 9);
    EXPECT_EQ(pubblicate[uri(nome_treno)].at(0), json::array());
}

TEST_F(ClientLsp, IlPassaggioSuUnCampoNeDiceNomeSignificatoEValoreConservato) {
    const std::string treno = su_disco(nome_treno);
    apri(nome_treno, treno);
    pubblica();
    // "segnale,    4150,   1, 4, 1,  0, 0,    2,  3,1,0, 0": the fifth field is s3.
    const int riga = riga_con(treno, "segnale,    4150");
    const std::string testo(riga_testo(treno, riga));
    struct caso {
        std::size_t colonna;
        std::vector<std::string> parti;
    };
    const std::size_t s3 = testo.find(",  0, 0,") + 3;
    const caso casi[] = {
        {s3, {"field 5 of 11: `s3`", "cell 84: `dato3` = 0 (s3 0, d3 0)"}},
        {testo.find("1, 4, 1") + 3, {"`s1`", "`dato1` = 43 (s1 4, d1 3)"}},
        {testo.find("4150") + 1,
         {"`posizione`", "at least 350 m", "Position 4150 m: cell 84", "chainage 86650 m",
          "the cell holds: signal"}},
        {2, {"**segnale**", "`posizione`, `sx`, `s1`"}},
    };
    for (const caso& c : casi) {
        const json r =
            richiedi("textDocument/hover", nome_treno, riga, static_cast<int>(c.colonna));
        const std::string valore = r["result"]["contents"]["value"];
        for (const std::string& parte : c.parti) {
            EXPECT_NE(valore.find(parte), std::string::npos) << parte << " in\n" << valore;
        }
    }
    // The meanings are UTF-8 as they are written, not taken for source bytes.
    const int stazione = riga_con(treno, "PUSENA P.F.");
    const std::string riga_s(riga_testo(treno, stazione));
    const std::string nome =
        richiedi("textDocument/hover", nome_treno, stazione,
                 static_cast<int>(riga_s.find("PUSENA") + 2))["result"]["contents"]["value"];
    EXPECT_NE(
        nome.find(
            "`nome`\n\nthe station's name: the rest of the line; blanks and \xc2\xb0 allowed"),
        std::string::npos)
        << nome;
    const int velocita = riga_con(treno, "velocita,");
    const std::string riga_v(riga_testo(treno, velocita));
    const json r = richiedi("textDocument/hover", nome_treno, velocita,
                            static_cast<int>(riga_v.find_last_of("0123456789")));
    const std::string valore = r["result"]["contents"]["value"];
    EXPECT_NE(valore.find("steps of 5"), std::string::npos) << valore;
    EXPECT_NE(valore.find("`velocita` = "), std::string::npos) << valore;
    EXPECT_NE(valore.find(" km/h)"), std::string::npos) << valore;
    // A position wider than any field names no cell; one beyond the cells names one but no content.
    for (const char* posizione : {"-9223372036854775808", "1000000"}) {
        std::string lontano = treno;
        lontano.replace(lontano.find("4150"), 4, posizione);
        cambia(nome_treno, lontano);
        const std::string testo_h =
            richiedi("textDocument/hover", nome_treno, riga, 12)["result"]["contents"]["value"];
        EXPECT_EQ(testo_h.find("m: cell") != std::string::npos, std::string(posizione) == "1000000")
            << testo_h;
        EXPECT_EQ(testo_h.find("the cell holds"), std::string::npos) << testo_h;
    }
    // Nothing to say on a header or past the file.
    EXPECT_TRUE(richiedi("textDocument/hover", nome_treno, 0, 1)["result"].is_null());
    EXPECT_TRUE(richiedi("textDocument/hover", nome_treno, 100000, 1)["result"].is_null());
}

TEST_F(ClientLsp, IlCompletamentoOffreLeParoleDellaSezioneConITurniDeiCampi) {
    const std::string treno = su_disco(nome_treno);
    apri(nome_treno, treno);
    const int dopo_segnali = riga_con(treno, "[segnali]") + 1;
    json r = richiedi("textDocument/completion", nome_treno, dopo_segnali, 0);
    std::vector<std::string> etichette;
    for (const json& v : r["result"]) etichette.push_back(v["label"]);
    EXPECT_NE(std::find(etichette.begin(), etichette.end(), "segnale"), etichette.end());
    EXPECT_NE(std::find(etichette.begin(), etichette.end(), "[codici]"), etichette.end());
    EXPECT_EQ(std::find(etichette.begin(), etichette.end(), "stazione"), etichette.end());
    const json& segnale = r["result"][0];
    EXPECT_EQ(segnale["insertTextFormat"], 2);
    EXPECT_EQ(segnale["insertText"],
              "segnale, ${1:posizione}, ${2:sx}, ${3:s1}, ${4:s2}, ${5:s3}, ${6:rapp}, ${7:dx}, "
              "${8:d1}, ${9:d2}, ${10:d3}, ${11:tempo}");
    // Among the fields no keyword is offered.
    r = richiedi("textDocument/completion", nome_treno, dopo_segnali, 12);
    EXPECT_EQ(r["result"], json::array());
}

TEST_F(ClientLsp, LoSchemaElencaSezioniStazioniSegnaliECartelli) {
    const json r = richiedi("textDocument/documentSymbol", nome_treno, 0, 0);
    std::map<std::string, std::vector<std::string>> per_sezione;
    for (const json& s : r["result"]) {
        for (const json& figlio : s["children"]) per_sezione[s["name"]].push_back(figlio["name"]);
    }
    ASSERT_EQ(per_sezione["[stazioni]"].size(), 9u) << r.dump(1);
    EXPECT_EQ(per_sezione["[stazioni]"].back(), "PUSENA P.F.");
    EXPECT_EQ(per_sezione["[segnali]"].front(), "segnale 1500");
    EXPECT_EQ(per_sezione["[rallentamenti]"], std::vector<std::string>{"rallentamento 21400"});
    const json l = richiedi("textDocument/documentSymbol", nome_linea, 0, 0);
    std::vector<std::string> sezioni;
    for (const json& s : l["result"]) sezioni.push_back(s["name"]);
    EXPECT_EQ(sezioni,
              (std::vector<std::string>{"[generale]", "[curve]", "[pendenze]", "[montagne]",
                                        "[cartelli]", "[indicazioni]", "[fine]"}));
    EXPECT_EQ(l["result"][5]["children"][0]["name"], "cartello_indicatore 550");
    EXPECT_EQ(l["result"][5]["children"][0]["detail"], "(DEV. U.)");
}

TEST_F(ClientLsp, IlProtocolloRispondeAgliErroriEEscePulito) {
    struct caso {
        std::string corpo;
        int codice;
    };
    const caso casi[] = {
        {"{\"jsonrpc\":\"2.0\",\"id\":7,", -32700},
        {"[1,2]", -32600},
        {"{\"jsonrpc\":\"2.0\",\"id\":7}", -32600},
        {"{\"jsonrpc\":\"2.0\",\"id\":[1],\"method\":\"x\"}", -32600},
        {"{\"jsonrpc\":\"2.0\",\"id\":7,\"method\":\"textDocument/definition\",\"params\":{}}",
         -32601},
        {"{\"jsonrpc\":\"2.0\",\"id\":7,\"method\":\"textDocument/hover\",\"params\":{\"x\":1}}",
         -32602},
        {"{\"jsonrpc\":\"2.0\",\"id\":7,\"method\":\"initialize\",\"params\":{}}", -32600},
    };
    for (const caso& c : casi) {
        inviati.clear();
        server.gestisci(c.corpo);
        ASSERT_EQ(inviati.size(), 1u) << c.corpo;
        EXPECT_EQ(inviati[0]["error"]["code"], c.codice) << c.corpo;
    }
    // Unknown notifications and a client's answers need no reply.
    inviati.clear();
    server.gestisci("{\"jsonrpc\":\"2.0\",\"method\":\"$/setTrace\",\"params\":{}}");
    server.gestisci("{\"jsonrpc\":\"2.0\",\"id\":3,\"result\":null}");
    EXPECT_TRUE(inviati.empty());

    // A check still waiting is dropped: after shutdown only answers go out.
    apri(nome_treno, su_disco(nome_treno));
    invia({{"jsonrpc", "2.0"}, {"id", 9}, {"method", "shutdown"}});
    EXPECT_TRUE(risposta(9)["result"].is_null());
    EXPECT_FALSE(server.in_attesa());
    invia({{"jsonrpc", "2.0"}, {"id", 10}, {"method", "textDocument/hover"}});
    EXPECT_EQ(risposta(10)["error"]["code"], -32600);
    EXPECT_FALSE(server.terminato());
    invia({{"jsonrpc", "2.0"}, {"method", "exit"}});
    EXPECT_TRUE(server.terminato());
    EXPECT_EQ(server.stato_uscita(), 0);
}

TEST(ServerLsp, PrimaDiInitializeSoloErroriEUscitaSenzaShutdownEUno) {
    std::vector<json> inviati;
    server_lsp server([&inviati](const json& m) { inviati.push_back(m); });
    server.gestisci(
        "{\"jsonrpc\":\"2.0\",\"id\":1,\"method\":\"textDocument/hover\",\"params\":{}}");
    ASSERT_EQ(inviati.size(), 1u);
    EXPECT_EQ(inviati[0]["error"]["code"], -32002);
    server.gestisci(
        "{\"jsonrpc\":\"2.0\",\"id\":2,\"method\":\"initialize\",\"params\":"
        "{\"capabilities\":{\"general\":{\"positionEncodings\":[\"utf-8\"]}}}}");
    EXPECT_EQ(inviati.at(1)["result"]["capabilities"]["positionEncoding"], "utf-8");
    EXPECT_EQ(inviati.at(1)["result"]["capabilities"]["textDocumentSync"]["change"], 1);
    server.gestisci("{\"jsonrpc\":\"2.0\",\"method\":\"exit\"}");
    EXPECT_TRUE(server.terminato());
    EXPECT_EQ(server.stato_uscita(), 1);
}

}  // namespace
}  // namespace scenario::strumento::lsp
