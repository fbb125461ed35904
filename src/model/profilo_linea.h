#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <utility>

namespace scenario {

// Per-metre line geometry: metres 0..lunghezza_estesa, two components each. An element is empty,
// a 16-bit integer or a double; the type code is the one written to the "_linea.dat" file.
class profilo_linea {
  public:
    enum class tipo_valore : std::uint16_t { vuoto = 0, intero = 2, reale = 5 };

    profilo_linea() = default;
    profilo_linea(const profilo_linea& altro);
    profilo_linea& operator=(const profilo_linea& altro);
    // A profile moved from is not sized.
    profilo_linea(profilo_linea&& altro) noexcept
        : elementi_(std::exchange(altro.elementi_, 0)),
          tipi_(std::move(altro.tipi_)),
          valori_(std::move(altro.valori_)) {}
    profilo_linea& operator=(profilo_linea&& altro) noexcept {
        elementi_ = std::exchange(altro.elementi_, 0);
        tipi_ = std::move(altro.tipi_);
        valori_ = std::move(altro.valori_);
        return *this;
    }

    // Sizes to metres 0..ultimo_metro, every element empty.
    void dimensiona(std::int32_t ultimo_metro);
    void azzera();  // back to not sized
    bool dimensionato() const { return elementi_ != 0; }
    std::int32_t ultimo_metro() const { return static_cast<std::int32_t>(elementi_ / 2) - 1; }

    void imposta_intero(long long metro, int componente, std::int16_t valore);
    void imposta_reale(long long metro, int componente, double valore);

    tipo_valore tipo(long long metro, int componente) const {
        return tipi_.get()[indice(metro, componente)];
    }
    // The element's value as a double (an empty element reads as 0, as an empty variant does in
    // arithmetic).
    double valore(long long metro, int componente) const {
        return valori_.get()[indice(metro, componente)];
    }

    // Every element of one component, metre 0 first: for work over whole stretches of metres,
    // checked once for the stretch rather than once per metre. A component other than 0 or 1 is
    // a run-time fault.
    std::span<const tipo_valore> tipi(int componente) const;
    std::span<const double> valori(int componente) const;
    std::span<tipo_valore> tipi(int componente);
    std::span<double> valori(int componente);

  private:
    std::size_t inizio_componente(int componente) const;

    // First index fastest, as in the file; every access checked. Inline: the geometry of a long
    // line is millions of accesses.
    std::size_t indice(long long metro, int componente) const {
        const long long metri = static_cast<long long>(elementi_ / 2);
        if (metro < 0 || metro >= metri || componente < 0 || componente > 1) {
            fuori_limiti(metro, componente);
        }
        return static_cast<std::size_t>(componente) * static_cast<std::size_t>(metri) +
               static_cast<std::size_t>(metro);
    }
    [[noreturn]] void fuori_limiti(long long metro, int componente) const;

    // Zeroed memory from the allocator, never cleared by hand: an empty element and 0.0 are
    // all-zero bits, and a long line's geometry is tens of megabytes that the system hands out
    // already zero, page by page as they are first written.
    struct libera {
        void operator()(void* p) const { std::free(p); }
    };
    template <typename T>
    static std::unique_ptr<T[], libera> azzerati(std::size_t quanti);

    std::size_t elementi_ = 0;  // both components
    std::unique_ptr<tipo_valore[], libera> tipi_;
    std::unique_ptr<double[], libera> valori_;
};

}  // namespace scenario
