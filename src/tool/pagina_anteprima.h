#pragma once

// The live page, built into the binary from src/tool/pagina: nothing is read from disk or
// fetched from the network when it is served.
#include <string_view>

namespace scenario::strumento {

std::string_view pagina_html();
std::string_view pagina_js();
std::string_view pagina_css();

}  // namespace scenario::strumento
