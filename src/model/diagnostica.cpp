#include "model/diagnostica.h"

#include <algorithm>

namespace scenario {

const char* nome_gravita(gravita g) {
    switch (g) {
        case gravita::errore:
            return "error";
        case gravita::avviso:
            return "warning";
        case gravita::nota:
            return "note";
    }
    return "error";
}

bool raccolta_diagnostiche::ha_errori() const {
    return std::any_of(elenco_.begin(), elenco_.end(),
                       [](const diagnostica& d) { return d.livello == gravita::errore; });
}

void raccolta_diagnostiche::annota_occupante(std::int32_t cella, const char* cosa,
                                             const luogo_sorgente& luogo) {
    if (cella < 0) return;
    occupanti_.insert_or_assign(cella, occupante_cella{cosa, luogo});
}

const occupante_cella* raccolta_diagnostiche::occupante(std::int32_t cella) const {
    const auto trovato = occupanti_.find(cella);
    return trovato == occupanti_.end() ? nullptr : &trovato->second;
}

std::vector<std::int32_t> raccolta_diagnostiche::prendi_celle_occupate() {
    std::vector<std::int32_t> celle;
    celle.swap(celle_occupate_);
    return celle;
}

void raccolta_diagnostiche::nota_codice(const codice_registrato& c) {
    // A signal or slowdown row records its code twice, the second time with its position.
    if (primo_ && !primo_->con_posizione && primo_->codice == c.codice &&
        primo_->luogo.riga == c.luogo.riga && primo_->luogo.file == c.luogo.file) {
        primo_ = c;
    }
    if (!primo_) primo_ = c;
}

}  // namespace scenario
