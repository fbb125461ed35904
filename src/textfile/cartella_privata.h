#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "textfile/cartella_sorvegliata.h"

namespace scenario {

// A fresh folder of our own, never shared with another process or an earlier run: a compilation
// deletes its sources, so it must never run where someone else's files live. The folder goes,
// with everything in it, when the object does, and its files go too if the process is stopped
// by SIGINT, SIGTERM or SIGHUP (textfile/cartella_sorvegliata.h).
class cartella_privata {
  public:
    // Under `base` (the system's temporary folder when empty), named `prefisso` and a random
    // number. Throws guasto_file when no folder can be created.
    explicit cartella_privata(std::string_view prefisso = "scenario-",
                              const std::filesystem::path& base = {});
    ~cartella_privata();
    cartella_privata(const cartella_privata&) = delete;
    cartella_privata& operator=(const cartella_privata&) = delete;

    const std::filesystem::path& percorso() const { return percorso_; }
    std::filesystem::path operator/(const std::string& nome) const { return percorso_ / nome; }

  private:
    std::filesystem::path percorso_;
    std::optional<cartella_sorvegliata> sorveglianza_;
};

}  // namespace scenario
