#pragma once

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

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

// The words after the program's name, in UTF-8 as the file names are everywhere in the tool. On
// Windows they are read again from the wide command line: `argv` holds them in the ANSI code
// page, where a folder named outside it has already lost its letters.
std::vector<std::string> parole_riga_comando(int argc, char** argv);

// A path the author typed, from its UTF-8 words. On Windows a path built from a plain string
// reads it byte by byte in the C library's code page, not as UTF-8, so a folder with an
// accented letter would be looked for under another name; path::string() gives UTF-8 back on
// both systems.
std::filesystem::path percorso_utente(const std::string& parola);

// Ctrl-C, Ctrl-Break and the closing of the console end the process with the status Windows
// gives them (STATUS_CONTROL_C_EXIT), once every handler registered later (the clean-up of a
// private copy, the stop of `serve`) has had its turn: Wine's own ending would report 0, a
// success. Nothing to do on Linux, where the signals keep their default action. Call it first.
void fine_su_interruzione();

// Standard input and output carry bytes as they are: on Windows the C library would otherwise
// turn every LF written into CR LF and drop the CR of every CR LF read, which breaks a binary
// dump, a page written to standard output and any framing counted in bytes. Nothing to do on
// Linux. Call it before the first byte goes through either stream.
void flussi_standard_binari();

}  // namespace scenario::strumento
