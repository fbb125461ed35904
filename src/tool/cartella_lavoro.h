#pragma once

#include <filesystem>

namespace scenario::strumento {

// A fresh, private folder under the system's temporary folder where a compilation runs, so that
// the compiler's deletions never touch the author's sources. Removed with its content at the
// end, whatever happened.
class cartella_lavoro {
  public:
    // Throws guasto_file when no folder can be created.
    cartella_lavoro();
    ~cartella_lavoro();
    cartella_lavoro(const cartella_lavoro&) = delete;
    cartella_lavoro& operator=(const cartella_lavoro&) = delete;

    const std::filesystem::path& percorso() const { return percorso_; }

  private:
    std::filesystem::path percorso_;
};

}  // namespace scenario::strumento
