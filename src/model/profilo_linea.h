#pragma once

#include <cstdint>
#include <vector>

namespace scenario {

// Per-metre line geometry: metres 0..lunghezza_estesa, two components each. An element is empty,
// a 16-bit integer or a double; the type code is the one written to the "_linea.dat" file.
class profilo_linea {
  public:
    enum class tipo_valore : std::uint16_t { vuoto = 0, intero = 2, reale = 5 };

    // Sizes to metres 0..ultimo_metro, every element empty.
    void dimensiona(std::int32_t ultimo_metro);
    void azzera();  // back to not sized
    bool dimensionato() const { return !tipi_.empty(); }
    std::int32_t ultimo_metro() const { return static_cast<std::int32_t>(tipi_.size() / 2) - 1; }

    void imposta_intero(long long metro, int componente, std::int16_t valore);
    void imposta_reale(long long metro, int componente, double valore);

    tipo_valore tipo(long long metro, int componente) const {
        return tipi_[indice(metro, componente)];
    }
    // The element's value as a double (an empty element reads as 0, as an empty variant does in
    // arithmetic).
    double valore(long long metro, int componente) const {
        return valori_[indice(metro, componente)];
    }

  private:
    // First index fastest, as in the file; every access checked. Inline: the geometry of a long
    // line is millions of accesses.
    std::size_t indice(long long metro, int componente) const {
        const long long metri = static_cast<long long>(tipi_.size() / 2);
        if (metro < 0 || metro >= metri || componente < 0 || componente > 1) {
            fuori_limiti(metro, componente);
        }
        return static_cast<std::size_t>(componente) * static_cast<std::size_t>(metri) +
               static_cast<std::size_t>(metro);
    }
    [[noreturn]] void fuori_limiti(long long metro, int componente) const;

    std::vector<tipo_valore> tipi_;
    std::vector<double> valori_;
};

}  // namespace scenario
