#pragma once

#include <string>
#include <vector>

#include "run/piattaforma.h"

namespace scenario::prova {

// Records what would have been shown instead of showing it.
class piattaforma_registrata : public piattaforma {
  public:
    void mostra_attesa() override { ++attese; }
    std::int32_t mostra_messaggio(const std::string& testo) override {
        messaggi.push_back(testo);
        return pulsante_ok;
    }
    void mostra_guasto(const std::string& testo) override { guasti.push_back(testo); }

    int attese = 0;
    std::vector<std::string> messaggi;
    std::vector<std::string> guasti;
};

}  // namespace scenario::prova
