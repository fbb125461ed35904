#pragma once

#include <sys/resource.h>
#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "support/senza_privilegi.h"

namespace scenario::prova {

// How a child process is started: always headless (no DISPLAY), standard error captured.
struct avvio_processo {
    std::filesystem::path programma;
    std::vector<std::string> argomenti;  // after the program's own name
    std::filesystem::path cartella;      // its working folder
    std::vector<std::string> ambiente;   // "NAME=VALUE" added to the test's own environment
    // A file-size limit (RLIMIT_FSIZE) in bytes, as a full disk would set one.
    std::optional<rlim_t> limite_file;
    // Run as the unprivileged user "nobody" (only possible as root).
    bool senza_privilegi = false;
};

struct fine_processo {
    bool uscito = false;  // false: ended by a signal
    int stato = -1;       // the exit status, or the signal number
    std::string errori;   // everything written on standard error
};

// A running child; the destructor kills and reaps it if the test did not wait for it.
class processo_figlio {
  public:
    explicit processo_figlio(const avvio_processo& avvio);
    ~processo_figlio();
    processo_figlio(const processo_figlio&) = delete;
    processo_figlio& operator=(const processo_figlio&) = delete;

    pid_t pid() const { return pid_; }
    // Reads standard error until it holds `testo`; false when the child closed it first or
    // `secondi` passed.
    bool attendi_testo(const std::string& testo, int secondi = 30);
    // Reads the rest of standard error and waits for the end.
    fine_processo attendi();

  private:
    pid_t pid_ = -1;
    int errori_ = -1;
    std::string letti_;
};

}  // namespace scenario::prova
