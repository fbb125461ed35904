#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>

namespace scenario {

// The primitive operations behind a durable replacement, each one reported to the probe
// (textfile/sonda_file.h). Failures come back as the system's error code; the caller names the
// file in its message.

// A temporary file being written: created fresh and exclusive, never through a link.
class file_temporaneo {
  public:
    file_temporaneo() = default;
    file_temporaneo(const file_temporaneo&) = delete;
    file_temporaneo& operator=(const file_temporaneo&) = delete;
    file_temporaneo(file_temporaneo&& altro) noexcept;
    file_temporaneo& operator=(file_temporaneo&&) = delete;
    // Closes it if still open (without the probe: only a failure path gets here).
    ~file_temporaneo();

    const std::filesystem::path& file() const { return file_; }
    const std::filesystem::path& destinazione() const { return destinazione_; }
    bool aperto() const;

    // Writes every byte, in as many writes as the system needs.
    std::error_code scrivi(std::string_view byte);
    // Flushes its bytes to the disk (fsync, FlushFileBuffers).
    std::error_code svuota();
    std::error_code chiudi();

  private:
    friend class cartella_scrittura;
    std::filesystem::path file_;
    std::filesystem::path destinazione_;
#ifdef _WIN32
    void* maniglia_ = nullptr;
#else
    int fd_ = -1;
#endif
};

// A folder opened to create, rename and flush files in it. On Linux every name is taken relative
// to the open folder, so a long folder path never makes a legal file name fail, and the folder
// cannot be swapped under the run between two operations.
class cartella_scrittura {
  public:
    // `errore` is set when the folder cannot be opened.
    cartella_scrittura(const std::filesystem::path& cartella, std::error_code& errore);
    ~cartella_scrittura();
    cartella_scrittura(const cartella_scrittura&) = delete;
    cartella_scrittura& operator=(const cartella_scrittura&) = delete;

    const std::filesystem::path& percorso() const { return percorso_; }

    // A new temporary file in this folder for `destinazione` (a file of this folder), into an
    // empty `temporaneo`: a fresh random name, created exclusive; a name already taken by
    // anything is never reused.
    std::error_code crea_temporaneo(const std::filesystem::path& destinazione,
                                    file_temporaneo& temporaneo);
    // Renames the closed temporary file over its destination, replacing it (or a link standing
    // there) in one step.
    std::error_code rinomina(const file_temporaneo& temporaneo);
    // Whether a folder stands at the name of `destinazione`.
    bool cartella_al_posto_di(const std::filesystem::path& destinazione) const;
    // Flushes the folder's entries, so that renames survive a power cut.
    std::error_code svuota();

  private:
    std::filesystem::path percorso_;
#ifndef _WIN32
    int fd_ = -1;
#endif
};

// Deletes a file (a link is deleted, never followed). ENOENT when there is nothing to delete.
std::error_code elimina_file(const std::filesystem::path& file);

}  // namespace scenario
