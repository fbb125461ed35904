#pragma once

#include <filesystem>

namespace scenario {

// While it lives, a private work folder (plain files only, no subfolders) is removed with its
// content if the process is stopped by SIGINT, SIGTERM or SIGHUP; the process then ends by that
// same signal, as it would have without the cleanup. A signal that was ignored stays ignored.
// Up to eight folders at once (one per compilation in progress); more go unwatched. On Windows
// the same holds for Ctrl-C, Ctrl-Break and the closing of the console (the console's handler,
// SetConsoleCtrlHandler); a desktop program never receives them.
class cartella_sorvegliata {
  public:
    explicit cartella_sorvegliata(const std::filesystem::path& cartella);
    ~cartella_sorvegliata();
    cartella_sorvegliata(const cartella_sorvegliata&) = delete;
    cartella_sorvegliata& operator=(const cartella_sorvegliata&) = delete;

  private:
    int posto_ = -1;
};

}  // namespace scenario
