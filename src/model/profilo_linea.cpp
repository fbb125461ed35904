#include "model/profilo_linea.h"

#include <cstring>
#include <new>
#include <string>

#include "model/guasto.h"

namespace scenario {

static_assert(static_cast<std::uint16_t>(profilo_linea::tipo_valore::vuoto) == 0);

template <typename T>
std::unique_ptr<T[], profilo_linea::libera> profilo_linea::azzerati(std::size_t quanti) {
    void* memoria = std::calloc(quanti, sizeof(T));
    if (memoria == nullptr) throw std::bad_alloc();
    return std::unique_ptr<T[], libera>(static_cast<T*>(memoria));
}

profilo_linea::profilo_linea(const profilo_linea& altro) { *this = altro; }

profilo_linea& profilo_linea::operator=(const profilo_linea& altro) {
    if (this == &altro) return *this;
    if (altro.elementi_ == 0) {
        azzera();
        return *this;
    }
    auto tipi = azzerati<tipo_valore>(altro.elementi_);
    auto valori = azzerati<double>(altro.elementi_);
    std::memcpy(tipi.get(), altro.tipi_.get(), altro.elementi_ * sizeof(tipo_valore));
    std::memcpy(valori.get(), altro.valori_.get(), altro.elementi_ * sizeof(double));
    tipi_ = std::move(tipi);
    valori_ = std::move(valori);
    elementi_ = altro.elementi_;
    return *this;
}

void profilo_linea::dimensiona(std::int32_t ultimo_metro) {
    if (ultimo_metro < 0) {
        throw guasto_esecuzione("profilo_linea: dimensione negativa " +
                                std::to_string(ultimo_metro));
    }
    const std::size_t n = 2 * (static_cast<std::size_t>(ultimo_metro) + 1);
    azzera();
    auto tipi = azzerati<tipo_valore>(n);
    auto valori = azzerati<double>(n);
    tipi_ = std::move(tipi);
    valori_ = std::move(valori);
    elementi_ = n;
}

void profilo_linea::azzera() {
    tipi_.reset();
    valori_.reset();
    elementi_ = 0;
}

void profilo_linea::fuori_limiti(long long metro, int componente) const {
    throw guasto_esecuzione("indice (" + std::to_string(metro) + ", " + std::to_string(componente) +
                            ") fuori da profilo_linea (0.." + std::to_string(ultimo_metro()) +
                            ", 0..1)");
}

std::size_t profilo_linea::inizio_componente(int componente) const {
    if (componente < 0 || componente > 1) fuori_limiti(0, componente);
    return static_cast<std::size_t>(componente) * (elementi_ / 2);
}

std::span<const profilo_linea::tipo_valore> profilo_linea::tipi(int componente) const {
    if (elementi_ == 0) return {};
    return {tipi_.get() + inizio_componente(componente), elementi_ / 2};
}

std::span<const double> profilo_linea::valori(int componente) const {
    if (elementi_ == 0) return {};
    return {valori_.get() + inizio_componente(componente), elementi_ / 2};
}

std::span<profilo_linea::tipo_valore> profilo_linea::tipi(int componente) {
    if (elementi_ == 0) return {};
    return {tipi_.get() + inizio_componente(componente), elementi_ / 2};
}

std::span<double> profilo_linea::valori(int componente) {
    if (elementi_ == 0) return {};
    return {valori_.get() + inizio_componente(componente), elementi_ / 2};
}

void profilo_linea::imposta_intero(long long metro, int componente, std::int16_t valore) {
    std::size_t n = indice(metro, componente);
    tipi_.get()[n] = tipo_valore::intero;
    valori_.get()[n] = valore;
}

void profilo_linea::imposta_reale(long long metro, int componente, double valore) {
    std::size_t n = indice(metro, componente);
    tipi_.get()[n] = tipo_valore::reale;
    valori_.get()[n] = valore;
}

}  // namespace scenario
