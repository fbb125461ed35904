#include "tool/server_anteprima.h"

#include <httplib.h>

#include <algorithm>
#include <chrono>
#include <memory>

#include "tool/attesa_interruzione.h"
#include "tool/pagina_anteprima.h"
#include "tool/sorveglianza_sorgenti.h"
#include "tool/stati_uscita.h"
#include "tool/stato_anteprima.h"

namespace scenario::strumento {

namespace {

constexpr const char* prefisso = "scenario-tool serve: ";
constexpr const char* indirizzo = "127.0.0.1";

// The page draws nothing from elsewhere: scripts, styles and data all come from this server.
void intestazioni(httplib::Response& risposta) {
    risposta.set_header("Content-Security-Policy",
                        "default-src 'self'; img-src 'self' data:; frame-ancestors 'none'");
    risposta.set_header("X-Content-Type-Options", "nosniff");
    risposta.set_header("Cache-Control", "no-store");
    risposta.set_header("Referrer-Policy", "no-referrer");
}

// Sent as it is, through a provider of known length, which the library never compresses: on
// loopback compressing costs more than it saves (its brotli takes seconds over the data of a
// long line).
void invia(httplib::Response& risposta, std::string testo, const char* tipo) {
    intestazioni(risposta);
    auto corpo = std::make_shared<std::string>(std::move(testo));
    risposta.set_content_provider(
        corpo->size(), tipo, [corpo](std::size_t da, std::size_t quanti, httplib::DataSink& sink) {
            if (da > corpo->size()) return false;
            quanti = std::min(quanti, corpo->size() - da);
            return sink.write(corpo->data() + da, quanti);
        });
}

void testo_fisso(httplib::Server& server, const char* percorso, std::string_view contenuto,
                 const char* tipo) {
    server.Get(percorso, [contenuto, tipo](const httplib::Request&, httplib::Response& risposta) {
        invia(risposta, std::string(contenuto), tipo);
    });
}

void instrada(httplib::Server& server, stato_anteprima& stato, int porta) {
    server.set_pre_routing_handler(
        [porta](const httplib::Request& richiesta, httplib::Response& risposta) {
            if (host_ammesso(richiesta.get_header_value("Host"), porta)) {
                return httplib::Server::HandlerResponse::Unhandled;
            }
            risposta.status = 403;
            intestazioni(risposta);
            risposta.set_content("This server answers only to its own address.\n",
                                 "text/plain; charset=utf-8");
            return httplib::Server::HandlerResponse::Handled;
        });
    testo_fisso(server, "/", pagina_html(), "text/html; charset=utf-8");
    testo_fisso(server, "/pagina.js", pagina_js(), "text/javascript; charset=utf-8");
    testo_fisso(server, "/pagina.css", pagina_css(), "text/css; charset=utf-8");
    server.Get("/dati", [&stato](const httplib::Request&, httplib::Response& risposta) {
        invia(risposta, stato.dati_json(), "application/json");
    });
    server.Get("/stato", [&stato](const httplib::Request&, httplib::Response& risposta) {
        invia(risposta, stato.stato_json(), "application/json");
    });
    // Server-sent events: the state after each compilation, and a comment now and then so that
    // a closed page is noticed and its thread freed.
    server.Get("/eventi", [&stato](const httplib::Request&, httplib::Response& risposta) {
        intestazioni(risposta);
        auto vista = std::make_shared<std::uint64_t>(0);
        auto attese = std::make_shared<int>(0);
        risposta.set_chunked_content_provider(
            "text/event-stream", [&stato, vista, attese](std::size_t, httplib::DataSink& sink) {
                if (stato.chiuso() || !sink.is_writable()) return false;
                std::uint64_t ora = stato.attendi(*vista, std::chrono::milliseconds(250));
                if (stato.chiuso()) return false;
                std::string messaggio;
                if (ora != *vista) {
                    *vista = ora;
                    *attese = 0;
                    messaggio = "data: " + stato.stato_json() + "\n\n";
                } else if (++*attese >= 40) {
                    *attese = 0;
                    messaggio = ": ancora qui\n\n";
                }
                return messaggio.empty() || sink.write(messaggio.data(), messaggio.size());
            });
    });
}

}  // namespace

bool host_ammesso(const std::string& host, int porta) {
    return host == std::string(indirizzo) + ":" + std::to_string(porta);
}

int servi(const richiesta_anteprima& richiesta, std::ostream& uscita, std::ostream& errori) {
    stato_anteprima stato;
    httplib::Server server;
    server.set_keep_alive_timeout(1);
    server.set_payload_max_length(1024);

    int porta = richiesta.porta;
    if (porta == 0) {
        porta = server.bind_to_any_port(indirizzo);
        if (porta <= 0) {
            errori << prefisso << "cannot open a port on " << indirizzo << '\n';
            return uscita::guasto_sistema;
        }
    } else if (!server.bind_to_port(indirizzo, porta)) {
        errori << prefisso << "cannot listen on " << indirizzo << ':' << porta
               << ": the port is taken or not allowed\n";
        return uscita::guasto_sistema;
    }
    instrada(server, stato, porta);

    // Before any other thread starts, so that every thread inherits the blocked signals.
    attesa_interruzione interruzione([&server, &stato] {
        stato.chiudi();
        if (!server.is_running()) return false;
        server.stop();
        return true;
    });
    uscita << "http://" << indirizzo << ':' << porta << "/" << std::endl;
    errori << prefisso << "compiling " << richiesta.compilazione.sorgenti.string()
           << " on every save; Ctrl-C stops\n";
    bool ascoltato = false;
    {
        sorveglianza_sorgenti sorveglianza(richiesta.compilazione, stato);
        ascoltato = server.listen_after_bind();
        stato.chiudi();
    }
    if (!ascoltato && !interruzione.ricevuta()) {
        errori << prefisso << "the server stopped unexpectedly\n";
        return uscita::guasto_sistema;
    }
    errori << prefisso << "stopped\n";
    return uscita::riuscita;
}

}  // namespace scenario::strumento
