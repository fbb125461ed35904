#pragma once

#include <filesystem>
#include <string_view>

namespace scenario::strumento {

// Writes a page where the author pointed the tool. A regular file (or a new name) is replaced
// atomically; a symbolic link to one has its target replaced and stays a link. Anything else
// (a device, a FIFO, a link to either) is opened and written through, as a shell's ">" does,
// so that it is never replaced by a regular file. Throws guasto_file with the system's reason.
void scrivi_destinazione(const std::filesystem::path& file, std::string_view contenuto);

}  // namespace scenario::strumento
