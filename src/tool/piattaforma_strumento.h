#pragma once

#include <cstdint>
#include <ostream>
#include <string>

#include "run/piattaforma.h"

namespace scenario::strumento {

// The tool has no window: the wait window does nothing and a message box becomes one line on
// the given stream (standard error in the executable).
class piattaforma_strumento : public piattaforma {
  public:
    explicit piattaforma_strumento(std::ostream& errori) : errori_(errori) {}

    void mostra_attesa() override {}
    std::int32_t mostra_messaggio(const std::string& testo) override;
    // The caller reports failures itself.
    void mostra_guasto(const std::string&) override {}

  private:
    std::ostream& errori_;
};

// Standard input and output carry bytes as they are: on Windows the C library would otherwise
// turn LF into CR LF and stop reading at a Ctrl-Z, which breaks counted messages.
void flussi_binari();

}  // namespace scenario::strumento
