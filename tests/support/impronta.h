#pragma once

#include <filesystem>
#include <string>

namespace scenario::prova {

// The SHA-256 of a file as 64 lower-case hex digits, computed by the system's sha256sum (an
// implementation independent of everything under test). Throws when it cannot be run.
std::string sha256(const std::filesystem::path& file);

}  // namespace scenario::prova
