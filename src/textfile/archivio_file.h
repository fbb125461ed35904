#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "textfile/destinazione_byte.h"
#include "textfile/file_disco.h"

namespace scenario {

struct stato_run;

// Where the files of a compilation are read, deleted and written: the disk, or memory for a
// caller that wants only the bytes and no folder (many thousands of compilations a second).
// The compiler reaches its files only through here.
class archivio_file {
  public:
    virtual ~archivio_file() = default;
    // A plain file stands at the name.
    virtual bool esiste(const std::filesystem::path& file) const = 0;
    // The whole content; guasto_file when it cannot be read.
    virtual std::string leggi(const std::filesystem::path& file) const = 0;
    // Deletes a file where it exists; guasto_file when it exists and cannot be deleted.
    virtual void elimina(const std::filesystem::path& file) = 0;
    // Deletes a file where it exists and can be deleted, never failing: for failure paths.
    virtual void elimina_senza_guasto(const std::filesystem::path& file) = 0;
    // Replaces every file of the set or none (file_disco.h), each produced as it is written.
    virtual void sostituisci(const std::vector<file_prodotto>& insieme) = 0;
};

// The disk, through file_disco.h.
archivio_file& archivio_disco();

// The run's own store: the disk unless the run was given another.
archivio_file& archivio_di(const stato_run& stato);

// Files in memory, one folder: a file is known by its name alone.
class archivio_memoria : public archivio_file {
  public:
    // `rinvia`: a file written is kept as what produces it, and produced only when it is read or
    // measured, so that a caller who never reads a file (a long line's geometry) never holds its
    // bytes. What the producers read must then outlive the store, unchanged.
    explicit archivio_memoria(bool rinvia = false) : rinvia_(rinvia) {}

    bool esiste(const std::filesystem::path& file) const override;
    std::string leggi(const std::filesystem::path& file) const override;
    void elimina(const std::filesystem::path& file) override;
    void elimina_senza_guasto(const std::filesystem::path& file) override;
    // Every file is produced before any replaces its older self: a fault half-way changes none.
    void sostituisci(const std::vector<file_prodotto>& insieme) override;

    void metti(const std::filesystem::path& file, std::string contenuto);
    // The names held, sorted.
    std::vector<std::string> nomi() const;
    // How many bytes a file holds (produced and counted, not kept); guasto_file when absent.
    std::uintmax_t dimensione(const std::filesystem::path& file) const;

  private:
    struct voce {
        std::string byte;
        produzione_byte produci;  // set when the file is kept as its producer
    };
    const voce& trova(const std::filesystem::path& file) const;

    bool rinvia_;
    std::map<std::string, voce, std::less<>> file_;
};

}  // namespace scenario
