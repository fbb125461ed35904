#include "output/file_binari.h"

#include <string_view>
#include <vector>

#include "model/guasto.h"
#include "model/nomi_file.h"
#include "model/numeri.h"
#include "output/scrittore_byte.h"
#include "textfile/file_disco.h"

namespace scenario {

namespace {

constexpr std::size_t byte_cella = 15;
constexpr std::size_t byte_punto_senza_nome = 34;
constexpr std::size_t byte_elemento_massimo = 10;

void scrivi_elemento(scrittore_byte& out, const profilo_linea& profilo, std::int32_t metro,
                     int componente) {
    profilo_linea::tipo_valore tipo = profilo.tipo(metro, componente);
    out.u16(static_cast<std::uint16_t>(tipo));
    switch (tipo) {
        case profilo_linea::tipo_valore::vuoto:
            break;
        case profilo_linea::tipo_valore::intero:
            out.i16(arrotonda<std::int16_t>(profilo.valore(metro, componente), "profilo_linea"));
            break;
        case profilo_linea::tipo_valore::reale:
            out.f64(profilo.valore(metro, componente));
            break;
    }
}

void scrivi_punto(scrittore_byte& out, const punto& p) {
    out.u8(p.tipo);
    out.i32(p.inizio);
    out.i32(p.fine);
    out.i32(p.posizione);
    out.u8(p.voce_4);
    out.i16(stretto<std::int16_t>(static_cast<long long>(p.nome.size()), "lunghezza di nome"));
    out.grezzi(p.nome);
    out.i16(p.voce_7);
    out.i16(p.voce_8);
    out.i16(p.voce_10);
    out.i16(p.voce_11);
    out.i16(p.voce_12);
    out.u8(p.voce_9);
    out.u8(p.voce_13);
    out.u8(p.voce_6);
    out.u8(p.voce_5);
    out.i32(p.orario);
}

void scrivi_cella(scrittore_byte& out, const cella& c) {
    out.u8(c.tipo);
    out.i16(c.dato1);
    out.i16(c.dato2);
    out.i16(c.dato3);
    out.i16(c.dato4);
    out.u8(c.tempo);
    out.u8(c.preavviso);
    out.u8(c.montagna);
    out.u8(c.velocita);
    out.u8(c.pendenza);
    out.u8(c.aderenza);
}

}  // namespace

std::string byte_profilo_linea(const stato_run& stato) {
    const profilo_linea& profilo = stato.profilo;
    // The loader reads one element per metre up to the extended length: any other count would
    // shift the whole geometry.
    if (!profilo.dimensionato() || profilo.ultimo_metro() != stato.lunghezza_estesa) {
        throw guasto_esecuzione("profilo_linea non dimensionato a lunghezza_estesa " +
                                std::to_string(stato.lunghezza_estesa));
    }
    scrittore_byte out;
    std::size_t elementi = 2 * (static_cast<std::size_t>(profilo.ultimo_metro()) + 1);
    out.riserva(elementi * byte_elemento_massimo);
    for (int componente = 0; componente <= 1; ++componente) {
        for (std::int32_t metro = 0; metro <= profilo.ultimo_metro(); ++metro) {
            scrivi_elemento(out, profilo, metro, componente);
        }
    }
    return out.prendi();
}

std::string byte_punti(const stato_run& stato) {
    scrittore_byte out;
    std::size_t totale = 0;
    for (const punto& p : stato.punti) totale += byte_punto_senza_nome + p.nome.size();
    out.riserva(totale);
    for (int n = 0; n < indice_punti::numero; ++n) scrivi_punto(out, stato.punti[n]);
    return out.prendi();
}

std::string byte_percorso(const stato_run& stato) {
    scrittore_byte out;
    if (stato.ultima_cella >= 0) {
        out.riserva((static_cast<std::size_t>(stato.ultima_cella) + 1) * byte_cella);
    }
    for (std::int32_t n = 0; n <= stato.ultima_cella; ++n) scrivi_cella(out, stato.percorso[n]);
    return out.prendi();
}

void scrivi_file_binari(const stato_run& stato) {
    std::string linea;
    if (stato.scrivi_linea != 0) linea = byte_profilo_linea(stato);
    std::string sim = byte_punti(stato);
    std::string dat = byte_percorso(stato);

    // One unit: the simulator must never load the cells of one run with the records of another.
    std::vector<contenuto_file> insieme;
    if (stato.scrivi_linea != 0) {
        insieme.push_back({percorso_file(stato, nome_file_linea(stato)), linea});
    }
    insieme.push_back({percorso_file(stato, nome_file_sim(stato)), sim});
    insieme.push_back({percorso_file(stato, nome_file_dat(stato)), dat});
    sostituisci_file(insieme);
}

}  // namespace scenario
