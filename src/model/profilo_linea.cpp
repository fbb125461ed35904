#include "model/profilo_linea.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <variant>

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
    altro.calcola();
    auto tipi = azzerati<tipo_valore>(altro.elementi_);
    auto valori = azzerati<double>(altro.elementi_);
    std::memcpy(tipi.get(), altro.tipi_.get(), altro.elementi_ * sizeof(tipo_valore));
    std::memcpy(valori.get(), altro.valori_.get(), altro.elementi_ * sizeof(double));
    tipi_ = std::move(tipi);
    valori_ = std::move(valori);
    in_sospeso_.clear();
    elementi_ = altro.elementi_;
    return *this;
}

void profilo_linea::dimensiona(std::int32_t ultimo_metro) {
    if (ultimo_metro < 0) {
        throw guasto_esecuzione("profilo_linea: dimensione negativa " +
                                std::to_string(ultimo_metro));
    }
    azzera();
    // The memory comes with the first read or set.
    elementi_ = 2 * (static_cast<std::size_t>(ultimo_metro) + 1);
}

void profilo_linea::azzera() {
    tipi_.reset();
    valori_.reset();
    in_sospeso_.clear();
    elementi_ = 0;
}

void profilo_linea::aggiungi_intero(long long metro, int componente, std::int16_t valore) {
    in_sospeso_.emplace_back(intero_registrato{indice(metro, componente), valore});
}

void profilo_linea::aggiungi_tratto(const tratto_profilo& tratto) {
    if (tratto.da < 2 || tratto.a < tratto.da || tratto.a > ultimo_metro()) {
        throw guasto_esecuzione("tratto di geometria " + std::to_string(tratto.da) + ".." +
                                std::to_string(tratto.a) + " fuori da profilo_linea");
    }
    in_sospeso_.emplace_back(tratto);
}

namespace {

// Metres da..a each from the two before it: the step is the previous one, unnormalised, turned
// by k in a curve. Values are carried from one metre to the next rather than read back.
template <bool curva>
void passi(std::span<double> x, std::span<double> y, std::size_t da, std::size_t a, double k) {
    double x1 = x[da - 1], x2 = x[da - 2];
    double y1 = y[da - 1], y2 = y[da - 2];
    for (std::size_t m = da; m <= a; ++m) {
        const double dx = x1 - x2;
        const double dy = y1 - y2;
        double nx, ny;
        if constexpr (curva) {
            nx = x1 + (dx + k * dy);
            ny = y1 + (dy - k * dx);
        } else {
            nx = x1 + dx;
            ny = y1 + dy;
        }
        x[m] = nx;
        y[m] = ny;
        x2 = x1;
        x1 = nx;
        y2 = y1;
        y1 = ny;
    }
}

}  // namespace

void profilo_linea::calcola_in_sospeso() const {
    if (!tipi_) {
        auto tipi = azzerati<tipo_valore>(elementi_);
        auto valori = azzerati<double>(elementi_);
        tipi_ = std::move(tipi);
        valori_ = std::move(valori);
    }
    const std::size_t metri = elementi_ / 2;
    const std::span<double> x(valori_.get(), metri);
    const std::span<double> y(valori_.get() + metri, metri);
    const std::span<tipo_valore> tipo_x(tipi_.get(), metri);
    const std::span<tipo_valore> tipo_y(tipi_.get() + metri, metri);
    for (const auto& voce : in_sospeso_) {
        if (const auto* e = std::get_if<intero_registrato>(&voce)) {
            // Checked when recorded.
            tipi_.get()[e->indice] = tipo_valore::intero;
            valori_.get()[e->indice] = e->valore;
            continue;
        }
        // Checked when recorded (2 <= da <= a <= the last metre).
        const tratto_profilo& t = std::get<tratto_profilo>(voce);
        const auto da = static_cast<std::size_t>(t.da);
        const auto a = static_cast<std::size_t>(t.a);
        if (t.curva) {
            passi<true>(x, y, da, a, t.k);
        } else {
            passi<false>(x, y, da, a, 0.0);
        }
        std::fill(tipo_x.begin() + t.da, tipo_x.begin() + t.a + 1, tipo_valore::reale);
        std::fill(tipo_y.begin() + t.da, tipo_y.begin() + t.a + 1, tipo_valore::reale);
    }
    in_sospeso_.clear();
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
    const std::size_t inizio = inizio_componente(componente);
    calcola();
    return {tipi_.get() + inizio, elementi_ / 2};
}

std::span<const double> profilo_linea::valori(int componente) const {
    if (elementi_ == 0) return {};
    const std::size_t inizio = inizio_componente(componente);
    calcola();
    return {valori_.get() + inizio, elementi_ / 2};
}

void profilo_linea::imposta_intero(long long metro, int componente, std::int16_t valore) {
    const std::size_t n = indice(metro, componente);
    calcola();
    tipi_.get()[n] = tipo_valore::intero;
    valori_.get()[n] = valore;
}

void profilo_linea::imposta_reale(long long metro, int componente, double valore) {
    const std::size_t n = indice(metro, componente);
    calcola();
    tipi_.get()[n] = tipo_valore::reale;
    valori_.get()[n] = valore;
}

}  // namespace scenario
