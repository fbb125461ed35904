// The language server's latency as an author feels it: `scenario-tool lsp` runs as an editor runs
// it, over two pipes; the built-in train source is opened, then changed again and again, and each
// time the clock runs from the change notification written to the server until the diagnostics of
// that change are read back (the debounce, the check of the pair and the publication included).
// Usage: bench_lsp SCENARIO_TOOL [CHANGES]
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "textfile/cartella_privata.h"
#include "textfile/codifica.h"
#include "textfile/file_disco.h"
#include "tool/lsp_testo.h"

namespace {

using nlohmann::json;
using orologio = std::chrono::steady_clock;

[[noreturn]] void fallisce(const std::string& testo) {
    std::fprintf(stderr, "bench_lsp: %s\n", testo.c_str());
    std::exit(1);
}

class server_figlio {
  public:
    explicit server_figlio(const std::string& eseguibile) {
        int verso_server[2];
        int dal_server[2];
        if (pipe(verso_server) != 0 || pipe(dal_server) != 0) fallisce("pipe");
        pid_ = fork();
        if (pid_ < 0) fallisce("fork");
        if (pid_ == 0) {
            dup2(verso_server[0], 0);
            dup2(dal_server[1], 1);
            close(verso_server[1]);
            close(dal_server[0]);
            execl(eseguibile.c_str(), eseguibile.c_str(), "lsp", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(verso_server[0]);
        close(dal_server[1]);
        scrivi_ = verso_server[1];
        leggi_ = dal_server[0];
    }

    void invia(const json& m) {
        const std::string corpo = m.dump();
        const std::string tutto =
            "Content-Length: " + std::to_string(corpo.size()) + "\r\n\r\n" + corpo;
        for (std::size_t fatti = 0; fatti < tutto.size();) {
            const ssize_t n = write(scrivi_, tutto.data() + fatti, tutto.size() - fatti);
            if (n <= 0) fallisce("the server stopped reading");
            fatti += static_cast<std::size_t>(n);
        }
    }

    json ricevi() {
        std::size_t lunghezza = 0;
        for (;;) {
            std::string riga;
            while (riga.size() < 2 || riga.substr(riga.size() - 2) != "\r\n") riga += byte();
            if (riga == "\r\n") break;
            if (riga.rfind("Content-Length: ", 0) == 0) lunghezza = std::stoul(riga.substr(16));
        }
        std::string corpo;
        while (corpo.size() < lunghezza) corpo += byte();
        return json::parse(corpo);
    }

    int chiudi() {
        close(scrivi_);
        int stato = 0;
        waitpid(pid_, &stato, 0);
        close(leggi_);
        return WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
    }

  private:
    char byte() {
        char c = 0;
        if (read(leggi_, &c, 1) != 1) fallisce("the server closed its output");
        return c;
    }

    pid_t pid_ = -1;
    int scrivi_ = -1;
    int leggi_ = -1;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) fallisce("usage: bench_lsp SCENARIO_TOOL [CHANGES]");
    const std::string strumento = argv[1];
    const int cambi = argc > 2 ? std::atoi(argv[2]) : 30;
    scenario::cartella_privata cartella;
    const std::string esporta =
        "'" + strumento + "' sources '" + cartella.percorso().string() + "' > /dev/null 2>&1";
    if (std::system(esporta.c_str()) != 0) fallisce("sources failed");
    const std::filesystem::path treno = cartella.percorso() / "Lerno_Castelbrum_Pusena_27364-.txt";
    const std::string testo = scenario::da_cp1252(scenario::leggi_file(treno));
    const std::string uri = scenario::strumento::lsp::uri_da_percorso(treno);

    server_figlio server(strumento);
    server.invia({{"jsonrpc", "2.0"},
                  {"id", 1},
                  {"method", "initialize"},
                  {"params", {{"capabilities", json::object()}}}});
    server.ricevi();
    server.invia({{"jsonrpc", "2.0"}, {"method", "initialized"}, {"params", json::object()}});
    auto attendi_treno = [&] {
        for (;;) {
            const json m = server.ricevi();
            if (m.value("method", "") == "textDocument/publishDiagnostics" &&
                m["params"]["uri"] == uri)
                return m["params"]["diagnostics"].size();
        }
    };
    server.invia(
        {{"jsonrpc", "2.0"},
         {"method", "textDocument/didOpen"},
         {"params",
          {{"textDocument",
            {{"uri", uri}, {"languageId", "plaintext"}, {"version", 1}, {"text", testo}}}}}});
    attendi_treno();

    // Each change alternates a misspelt keyword and the right one: every publication differs.
    const std::size_t dove = testo.find("segnale,    2800");
    std::vector<double> millisecondi;
    for (int n = 0; n < cambi; ++n) {
        std::string nuovo = testo;
        if (n % 2 == 0) nuovo.replace(dove, 7, "segnal ");
        const auto inizio = orologio::now();
        server.invia({{"jsonrpc", "2.0"},
                      {"method", "textDocument/didChange"},
                      {"params",
                       {{"textDocument", {{"uri", uri}, {"version", n + 2}}},
                        {"contentChanges", json::array({{{"text", nuovo}}})}}}});
        const std::size_t quante = attendi_treno();
        millisecondi.push_back(
            std::chrono::duration<double, std::milli>(orologio::now() - inizio).count());
        if ((quante > 0) != (n % 2 == 0)) fallisce("the diagnostics do not follow the change");
    }
    server.invia({{"jsonrpc", "2.0"}, {"id", 2}, {"method", "shutdown"}});
    server.ricevi();
    server.invia({{"jsonrpc", "2.0"}, {"method", "exit"}});
    const int stato = server.chiudi();

    std::sort(millisecondi.begin(), millisecondi.end());
    auto percentile = [&](double p) {
        return millisecondi[static_cast<std::size_t>(p *
                                                     static_cast<double>(millisecondi.size() - 1))];
    };
    std::printf(
        "lsp, built-in scenario: from the change to the diagnostics (debounce included), "
        "%d changes: median %.1f ms, 95th percentile %.1f ms, max %.1f ms; exit status %d\n",
        cambi, percentile(0.5), percentile(0.95), millisecondi.back(), stato);
    return stato == 0 ? 0 : 1;
}
