#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace scenario::strumento {

enum class tipo_file { geometria, celle, punti };

// The kind of a compiled file from its name: "_linea.dat" first, then ".dat", then ".sim"
// (letters in any case); nullopt for any other name.
std::optional<tipo_file> tipo_da_nome(const std::filesystem::path& file);

// "dump FILE [--json] [--all] [--step N]": the decoded file on `uscita`, problems on `errori`.
int comando_dump(const std::vector<std::string>& parole, std::ostream& uscita,
                 std::ostream& errori);

}  // namespace scenario::strumento
