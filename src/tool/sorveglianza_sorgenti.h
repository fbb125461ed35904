#pragma once

// Follows the two sources while the page is open: compiles them at once, then again each time
// either changes, and publishes every outcome.
#include <condition_variable>
#include <mutex>
#include <thread>

#include "tool/comando_compila.h"
#include "tool/stato_anteprima.h"

namespace scenario::strumento {

class sorveglianza_sorgenti {
  public:
    sorveglianza_sorgenti(richiesta_compilazione richiesta, stato_anteprima& stato);
    // Stops and waits for a compilation under way, so its private folder is gone too.
    ~sorveglianza_sorgenti();
    sorveglianza_sorgenti(const sorveglianza_sorgenti&) = delete;
    sorveglianza_sorgenti& operator=(const sorveglianza_sorgenti&) = delete;

  private:
    void segui();

    richiesta_compilazione richiesta_;
    stato_anteprima& stato_;
    std::mutex mutex_;
    std::condition_variable sveglia_;
    bool fermo_ = false;
    std::thread filo_;
};

}  // namespace scenario::strumento
