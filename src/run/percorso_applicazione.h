#pragma once

#include <filesystem>

namespace scenario {

// The folder of the running executable, without a trailing separator. Throws guasto_file when
// the platform cannot tell.
std::filesystem::path cartella_applicazione();

}  // namespace scenario
