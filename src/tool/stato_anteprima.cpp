#include "tool/stato_anteprima.h"

#include <nlohmann/json.hpp>

#include "tool/dati_anteprima.h"

namespace scenario::strumento {

namespace {

// Names and texts come from the author's files: a byte that is not UTF-8 becomes U+FFFD
// instead of stopping the page.
std::string testo_json(const nlohmann::json& j) {
    return j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace

void stato_anteprima::pubblica(const esito_anteprima& esito) {
    bool senza_immagine = false;
    {
        std::lock_guard<std::mutex> chiave(mutex_);
        senza_immagine = versione_dati_ == 0;
    }
    std::string dati;
    bool nuovi_dati = esito.scenario.has_value() && (esito.pulita() || senza_immagine);
    if (nuovi_dati) dati = testo_json(json_scenario(*esito.scenario));
    std::string diagnostiche = testo_json(json_diagnostiche(esito.diagnostiche));
    {
        std::lock_guard<std::mutex> chiave(mutex_);
        ++versione_;
        if (nuovi_dati) {
            dati_ = std::move(dati);
            versione_dati_ = versione_;
        }
        stantio_ = !esito.pulita();
        diagnostiche_ = std::move(diagnostiche);
    }
    cambiato_.notify_all();
}

std::string stato_anteprima::stato_json() const {
    std::lock_guard<std::mutex> chiave(mutex_);
    return "{\"versione\":" + std::to_string(versione_) +
           ",\"versione_dati\":" + std::to_string(versione_dati_) +
           ",\"stantio\":" + (stantio_ ? "true" : "false") + ",\"diagnostiche\":" + diagnostiche_ +
           "}";
}

std::string stato_anteprima::dati_json() const {
    std::lock_guard<std::mutex> chiave(mutex_);
    return "{\"versione_dati\":" + std::to_string(versione_dati_) + ",\"scenario\":" + dati_ + "}";
}

std::uint64_t stato_anteprima::attendi(std::uint64_t vista,
                                       std::chrono::milliseconds attesa) const {
    std::unique_lock<std::mutex> chiave(mutex_);
    cambiato_.wait_for(chiave, attesa, [&] { return chiuso_ || versione_ != vista; });
    return versione_;
}

void stato_anteprima::chiudi() {
    {
        std::lock_guard<std::mutex> chiave(mutex_);
        chiuso_ = true;
    }
    cambiato_.notify_all();
}

bool stato_anteprima::chiuso() const {
    std::lock_guard<std::mutex> chiave(mutex_);
    return chiuso_;
}

}  // namespace scenario::strumento
