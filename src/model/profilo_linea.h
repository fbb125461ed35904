#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <utility>
#include <variant>
#include <vector>

namespace scenario {

// Metres da..a of the geometry, each stepped from the two before it: straight on, or turning by k.
struct tratto_profilo {
    std::int32_t da = 0;
    std::int32_t a = 0;
    bool curva = false;
    double k = 0.0;
};

// Per-metre line geometry: metres 0..lunghezza_estesa, two components each. An element is empty,
// a 16-bit integer or a double; the type code is the one written to the "_linea.dat" file.
//
// What a line source sets and steps is recorded as it is read and computed when an element is
// first read or set: a compilation whose geometry nobody reads (a check, a fuzzing run) neither
// computes nor holds tens of megabytes of it. Everything recorded is applied in the order it was
// added, so the values are those of applying it at once. Being computed on a first read, a profile
// is read by one thread at a time, as every part of a run's state is.
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
          valori_(std::move(altro.valori_)),
          in_sospeso_(std::move(altro.in_sospeso_)) {
        altro.in_sospeso_.clear();
    }
    profilo_linea& operator=(profilo_linea&& altro) noexcept {
        elementi_ = std::exchange(altro.elementi_, 0);
        tipi_ = std::move(altro.tipi_);
        valori_ = std::move(altro.valori_);
        in_sospeso_ = std::move(altro.in_sospeso_);
        altro.in_sospeso_.clear();
        return *this;
    }

    // Sizes to metres 0..ultimo_metro, every element empty.
    void dimensiona(std::int32_t ultimo_metro);
    void azzera();  // back to not sized
    bool dimensionato() const { return elementi_ != 0; }
    std::int32_t ultimo_metro() const { return static_cast<std::int32_t>(elementi_ / 2) - 1; }

    void imposta_intero(long long metro, int componente, std::int16_t valore);
    void imposta_reale(long long metro, int componente, double valore);

    // Record an element, or a stretch to be stepped (a double in each of its elements), in order
    // after everything set or recorded before. Outside the profile, or for a stretch outside
    // metres 2..ultimo_metro, a run-time fault now, not when the profile is read.
    void aggiungi_intero(long long metro, int componente, std::int16_t valore);
    void aggiungi_tratto(const tratto_profilo& tratto);

    tipo_valore tipo(long long metro, int componente) const {
        const std::size_t n = indice(metro, componente);
        calcola();
        return tipi_.get()[n];
    }
    // The element's value as a double (an empty element reads as 0, as an empty variant does in
    // arithmetic).
    double valore(long long metro, int componente) const {
        const std::size_t n = indice(metro, componente);
        calcola();
        return valori_.get()[n];
    }

    // Every element of one component, metre 0 first: for work over whole stretches of metres,
    // checked once for the stretch rather than once per metre. A component other than 0 or 1 is
    // a run-time fault.
    std::span<const tipo_valore> tipi(int componente) const;
    std::span<const double> valori(int componente) const;

  private:
    std::size_t inizio_componente(int componente) const;

    // The elements in memory and everything recorded applied; nothing to do when they are.
    void calcola() const {
        if (elementi_ != 0 && (!tipi_ || !in_sospeso_.empty())) calcola_in_sospeso();
    }
    void calcola_in_sospeso() const;

    struct intero_registrato {
        std::size_t indice;
        std::int16_t valore;
    };

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
    // Allocated and stepped on the first read or set (calcola).
    mutable std::unique_ptr<tipo_valore[], libera> tipi_;
    mutable std::unique_ptr<double[], libera> valori_;
    mutable std::vector<std::variant<intero_registrato, tratto_profilo>> in_sospeso_;
};

}  // namespace scenario
