#pragma once

// What the live page shows, shared by the thread that compiles and the threads that answer the
// browser: the last good picture, the diagnostics of the last compilation and a version number
// that tells the page something changed.
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>

#include "tool/compilazione_anteprima.h"

namespace scenario::strumento {

class stato_anteprima {
  public:
    // Takes the outcome of one compilation. A clean one replaces the picture; a failing one
    // keeps the last good picture and marks it stale (with no good picture yet, whatever files
    // it wrote are shown, stale).
    void pubblica(const esito_anteprima& esito);

    // {"versione", "versione_dati", "stantio", "diagnostiche"} as JSON text.
    std::string stato_json() const;
    // The picture's data as JSON text; "null" before the first compilation that wrote files.
    std::string dati_json() const;

    // Waits until the version differs from `vista`, the state is closed or `attesa` passes;
    // returns the version then.
    std::uint64_t attendi(std::uint64_t vista, std::chrono::milliseconds attesa) const;

    // Wakes every waiter for good: the server is stopping.
    void chiudi();
    bool chiuso() const;

  private:
    mutable std::mutex mutex_;
    mutable std::condition_variable cambiato_;
    std::uint64_t versione_ = 0;
    std::uint64_t versione_dati_ = 0;
    bool stantio_ = false;
    bool chiuso_ = false;
    std::string dati_ = "null";
    std::string diagnostiche_ = "[]";
};

}  // namespace scenario::strumento
