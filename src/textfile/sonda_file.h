#pragma once

#include <filesystem>

namespace scenario {

// The operations on files that a run makes through this layer, in the order they happen.
enum class operazione_file {
    crea,      // a temporary file created, empty and exclusive
    scrivi,    // one write of bytes into it
    svuota,    // its bytes, or a folder's entries, flushed to the disk
    chiudi,    // the temporary file closed
    rinomina,  // the temporary file renamed over its target
    elimina,   // a file deleted
};

const char* nome_operazione(operazione_file operazione);

// A seam for tests and measurements: sees each operation before and after it happens. `file` is
// the file worked on (a temporary file, the file deleted, or the folder flushed); `destinazione`
// the target a temporary file stands for (empty for a deletion or a folder).
class osservatore_file {
  public:
    virtual ~osservatore_file() = default;
    // An errno value makes the operation fail as if the system had refused it, without doing it.
    virtual int prima(operazione_file, const std::filesystem::path& /*file*/,
                      const std::filesystem::path& /*destinazione*/) {
        return 0;
    }
    // Called whether the operation succeeded or failed.
    virtual void dopo(operazione_file, const std::filesystem::path& /*file*/,
                      const std::filesystem::path& /*destinazione*/) {}
};

// Installs the observer of every later operation (nullptr: none, the default). The program never
// installs one; a test executable built from the same sources does.
void imposta_osservatore_file(osservatore_file* osservatore);

// Used by the file layer around each operation.
int sonda_prima(operazione_file operazione, const std::filesystem::path& file,
                const std::filesystem::path& destinazione = {});
void sonda_dopo(operazione_file operazione, const std::filesystem::path& file,
                const std::filesystem::path& destinazione = {});

}  // namespace scenario
