#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace scenario {

// Replaces `file` with exactly `contenuto`: the bytes go to a temporary file in the same folder,
// which is renamed over the target once complete. A failure half-way leaves the previous file
// intact and throws guasto_file naming the target and the system's reason.
void sostituisci_file(const std::filesystem::path& file, std::string_view contenuto);

// The whole content of a file; guasto_file when it cannot be read.
std::string leggi_file(const std::filesystem::path& file);

// Deletes a file where it exists; guasto_file when it exists and cannot be deleted.
void elimina_se_esiste(const std::filesystem::path& file);

// A file name for messages, in the platform's own form.
std::string nome_leggibile(const std::filesystem::path& file);

}  // namespace scenario
