#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace scenario::strumento {

// A mistake on the command line; the text says what is wrong, the caller adds the usage hint.
class errore_uso : public std::runtime_error {
  public:
    explicit errore_uso(const std::string& testo) : std::runtime_error(testo) {}
};

// One option a command accepts: "--lunga", optionally also "-c", with or without a value.
struct opzione {
    std::string_view lunga;  // without the leading "--"
    char corta = '\0';       // '\0' when there is no short form
    bool con_valore = false;
};

// The words after the command name, sorted out.
struct argomenti {
    std::vector<std::string> posizionali;
    std::map<std::string, std::string, std::less<>> valori;  // options given with a value
    std::set<std::string, std::less<>> interruttori;         // options given without one

    bool ha(std::string_view lunga) const;
    // The value of an option, or nullptr when it was not given.
    const std::string* valore(std::string_view lunga) const;
    // The value of an option that must be there.
    const std::string& richiesto(std::string_view lunga) const;
    // The one positional word, the folder of the sources; errore_uso when there is none or more.
    const std::string& cartella_sorgenti() const;
};

// Accepts "--name value", "--name=value", "-c value" and, after "--", positional words only.
// An unknown option, a missing value, a value given to a flag or an option given twice is an
// errore_uso.
argomenti analizza_argomenti(const std::vector<std::string>& parole,
                             std::span<const opzione> opzioni);

// Whether the words ask for help ("--help" or "-h" anywhere before "--").
bool chiede_aiuto(const std::vector<std::string>& parole);

// A whole number from 1 to 2^31 - 1, for options such as --step.
std::int32_t intero_positivo(std::string_view testo, std::string_view lunga);

// A scenario name or train number becomes part of file names: it must be non-empty printable
// ASCII without path separators, and not "." or "..".
void verifica_nome(std::string_view testo, std::string_view lunga);

}  // namespace scenario::strumento
