#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "model/guasto.h"

namespace scenario {

// A fixed or sized array whose every access is checked: an index outside it is a run-time fault
// naming the array, never undefined behaviour.
template <typename T>
class tabella {
  public:
    explicit tabella(const char* nome, std::size_t dimensione = 0)
        : nome_(nome), dati_(dimensione) {}

    T& operator[](long long indice) { return dati_[verifica(indice)]; }
    const T& operator[](long long indice) const { return dati_[verifica(indice)]; }

    // Resizes to `dimensione` elements, every one value-initialised (all-zero, empty).
    // Built in place rather than copied from one value: a long line has tens of thousands of
    // cells.
    void dimensiona(std::size_t dimensione) {
        dati_.clear();
        dati_.resize(dimensione);
    }
    std::size_t size() const { return dati_.size(); }
    bool empty() const { return dati_.empty(); }
    long long ultimo() const { return static_cast<long long>(dati_.size()) - 1; }
    bool contiene(long long indice) const {
        return indice >= 0 && indice < static_cast<long long>(dati_.size());
    }

    auto begin() { return dati_.begin(); }
    auto end() { return dati_.end(); }
    auto begin() const { return dati_.begin(); }
    auto end() const { return dati_.end(); }

  private:
    // Small enough to inline at every access; the fault is built out of line.
    std::size_t verifica(long long indice) const {
        if (!contiene(indice)) [[unlikely]] {
            fuori(indice);
        }
        return static_cast<std::size_t>(indice);
    }
    [[noreturn]] [[gnu::noinline]] void fuori(long long indice) const {
        throw guasto_esecuzione("indice " + std::to_string(indice) + " fuori da " + nome_ +
                                " (0.." + std::to_string(ultimo()) + ")");
    }

    std::string nome_;
    std::vector<T> dati_;
};

}  // namespace scenario
