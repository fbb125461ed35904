#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace scenario {

// Every text file of the run is written from a list of up to 1001 lines ending with this
// marker; the marker itself is never written.
inline constexpr const char* marcatore_fine = "riferimento fine del file";
inline constexpr std::size_t righe_massime = 1001;

// The file's bytes: each line before the marker converted to Windows-1252 and followed by CR LF.
// A list without the marker, or longer than 1001 entries, is a std::logic_error: the lists are
// the program's own.
std::string testo_da_elenco(const std::vector<std::string>& elenco);

// Writes the list to `file`, replacing whatever was there.
void scrivi_file_testo(const std::filesystem::path& file, const std::vector<std::string>& elenco);

// The lines of a document followed by the marker.
std::vector<std::string> con_marcatore(std::vector<std::string> righe);

}  // namespace scenario
