#pragma once

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "model/guasto.h"

namespace scenario {

// Nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4), independent of the
// floating-point rounding mode in force.
inline double vicino_pari(double x) {
    double giu = std::floor(x);
    double resto = x - giu;
    if (resto > 0.5) return giu + 1.0;
    if (resto < 0.5) return giu;
    return std::fmod(giu, 2.0) == 0.0 ? giu : giu + 1.0;
}

// A value that must fit its target: outside the target's range it is a run-time fault.
template <typename T>
T stretto(long long valore, const char* cosa = "valore") {
    if (valore < static_cast<long long>(std::numeric_limits<T>::min()) ||
        valore > static_cast<long long>(std::numeric_limits<T>::max())) {
        throw guasto_esecuzione(std::string(cosa) + " " + std::to_string(valore) +
                                " fuori dall'intervallo ammesso");
    }
    return static_cast<T>(valore);
}

// Real value rounded half to even into T; a fault when it does not fit.
template <typename T>
T arrotonda(double x, const char* cosa = "valore") {
    double r = vicino_pari(x);
    if (!std::isfinite(r) || r < static_cast<double>(std::numeric_limits<T>::min()) ||
        r > static_cast<double>(std::numeric_limits<T>::max())) {
        throw guasto_esecuzione(std::string(cosa) + " " + std::to_string(x) +
                                " fuori dall'intervallo ammesso");
    }
    return static_cast<T>(r);
}

// Plain stores into 8- and 16-bit members keep the low bits (modular conversion).
inline std::uint8_t basso8(long long valore) { return static_cast<std::uint8_t>(valore); }
inline std::int16_t basso16(long long valore) { return static_cast<std::int16_t>(valore); }

// 32-bit arithmetic of the sources: an overflow is a run-time fault, never a silent wrap.
inline std::int32_t somma32(long long a, long long b) {
    return stretto<std::int32_t>(a + b, "somma");
}
inline std::int32_t differenza32(long long a, long long b) {
    return stretto<std::int32_t>(a - b, "differenza");
}
inline std::int32_t prodotto32(long long a, long long b) {
    return stretto<std::int32_t>(a * b, "prodotto");
}

}  // namespace scenario
