#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace scenario {

// Replaces `file` with exactly `contenuto`: the bytes go to a temporary file in the same folder,
// which is renamed over the target once complete. A failure half-way leaves the previous file
// intact and throws guasto_file naming the target and the system's reason.
void sostituisci_file(const std::filesystem::path& file, std::string_view contenuto);

// One file of a set replaced together; the bytes must outlive the call.
struct contenuto_file {
    std::filesystem::path file;
    std::string_view contenuto;
};

// Replaces every file of the set or none: all the temporary files are written first, and only
// when every one is complete are they renamed over their targets, in order. A failure while
// writing removes the temporary files and leaves every previous file as it was; guasto_file names
// the file and the system's reason. Only a rename refused by the system itself (a file held
// open elsewhere on Windows) can stop after the first files of the set are in place.
void sostituisci_file(const std::vector<contenuto_file>& insieme);

// The whole content of a file; guasto_file when it cannot be read.
std::string leggi_file(const std::filesystem::path& file);

// Deletes a file where it exists; guasto_file when it exists and cannot be deleted.
void elimina_se_esiste(const std::filesystem::path& file);

// A file name for messages, in the platform's own form.
std::string nome_leggibile(const std::filesystem::path& file);

}  // namespace scenario
