#include "banco_treno.h"

#include "model/nomi_file.h"
#include "train/lettore_treno.h"
#include "train/sorgente_treno.h"

namespace scenario::prova {

banco_treno::banco_treno(std::int32_t lunghezza) {
    stato.nome_scenario = "Prova";
    stato.numero_treno = "123";
    stato.cartella = cartella.percorso();
    dimensiona_modello(stato, lunghezza);
}

std::filesystem::path banco_treno::sorgente() const {
    return percorso_file(stato, nome_sorgente_treno(stato));
}

bool banco_treno::sorgente_presente() const { return std::filesystem::exists(sorgente()); }

void banco_treno::scrivi(const std::string& contenuto) const {
    scrivi_tutto(sorgente(), contenuto);
}

void banco_treno::compila(std::initializer_list<std::string> righe,
                          std::int32_t prossimo_cartello) {
    scrivi("[generale]\r\n" + righe_crlf(righe));
    leggi_sorgente_treno(stato, prossimo_cartello);
}

void banco_treno::compila_tra_sentinelle(const std::vector<std::string>& righe) {
    std::string testo = "[generale]\r\nvelocita, 0, 50\r\n";
    for (const std::string& riga : righe) testo += riga + "\r\n";
    scrivi(testo + "sabbia, 300\r\n");
    leggi_sorgente_treno(stato, 80);
}

void banco_treno::compila_incorporata() {
    dati_treno(stato);
    leggi_sorgente_treno(stato, 80);
}

std::string riga_stazione(std::int32_t posizione, std::int32_t tipo, std::int32_t lunghezza,
                          std::int32_t voce_5, std::int32_t voce_6) {
    return "stazione, " + std::to_string(posizione) + ", " + std::to_string(tipo) + ", " +
           std::to_string(lunghezza) + ", 0, " + std::to_string(voce_5) + ", " +
           std::to_string(voce_6) + ", 0,0,0, 0,0,0, 0, 0,0,0, X";
}

}  // namespace scenario::prova
