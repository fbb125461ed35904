#pragma once

#include <cstdint>
#include <string>

namespace scenario {

// The few things that touch the desktop: the wait window and the message boxes.
class piattaforma {
  public:
    virtual ~piattaforma() = default;

    // Shows the wait window "Attendere" and draws it once, before the long work starts.
    virtual void mostra_attesa() = 0;

    // A message box with one OK button and no icon; returns the button pressed (1 = OK).
    // Without a display the text goes to standard error instead.
    virtual std::int32_t mostra_messaggio(const std::string& testo) = 0;

    // A failure of the run shown to a person at the desktop; without a display nothing is shown
    // (the caller writes every failure to standard error anyway).
    virtual void mostra_guasto(const std::string& testo) = 0;
};

inline constexpr std::int32_t pulsante_ok = 1;

// No display: no window, messages on standard error.
class piattaforma_senza_schermo : public piattaforma {
  public:
    void mostra_attesa() override {}
    std::int32_t mostra_messaggio(const std::string& testo) override;
    void mostra_guasto(const std::string&) override {}
};

// Shows nothing at all and presses OK: for callers that read the outcome from the run state
// (fuzzing, the benchmark).
class piattaforma_muta : public piattaforma {
  public:
    void mostra_attesa() override {}
    std::int32_t mostra_messaggio(const std::string&) override { return pulsante_ok; }
    void mostra_guasto(const std::string&) override {}
};

}  // namespace scenario
