#pragma once

#include <chrono>
#include <istream>
#include <ostream>
#include <string>
#include <vector>

namespace scenario::strumento {

// How long the server waits after the last change before it checks: typing stays fluent and a
// check still follows a pause within the time an author notices.
inline constexpr std::chrono::milliseconds attesa_lsp{60};

// The language server on two streams until `exit` or the end of the input; the exit status.
int servi_lsp(std::istream& in, std::ostream& out, std::ostream& errori,
              std::chrono::milliseconds attesa = attesa_lsp);

// "lsp [--stdio]": the server on standard input and output.
int comando_lsp(const std::vector<std::string>& parole, std::ostream& uscita, std::ostream& errori);

}  // namespace scenario::strumento
