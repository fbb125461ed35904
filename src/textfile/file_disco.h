#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "textfile/destinazione_byte.h"

namespace scenario {

// Replaces `file` with exactly `contenuto`: the bytes go to a fresh temporary file in the same
// folder (textfile/nomi_temporanei.h), created exclusive and never through a link, flushed to
// the disk and renamed over the target once complete; then the folder is flushed. A failure
// half-way leaves the previous file intact and no temporary file, and throws guasto_file naming
// the target and the system's reason.
void sostituisci_file(const std::filesystem::path& file, std::string_view contenuto);

// One file of a set replaced together; the bytes must outlive the call.
struct contenuto_file {
    std::filesystem::path file;
    std::string_view contenuto;
};

// Replaces every file of the set or none: all the temporary files are written and flushed first,
// and only when every one is complete are they renamed over their targets, in order; then their
// folders are flushed. A failure while
// writing removes the temporary files and leaves every previous file as it was; guasto_file names
// the file and the system's reason. Only a rename refused by the system itself (a file held
// open elsewhere on Windows) can stop after the first files of the set are in place.
void sostituisci_file(const std::vector<contenuto_file>& insieme);

// One file of a set whose bytes are produced as they are written, so that a large file never
// stands whole in memory. An exception from `produci` fails the set as a write failure does.
struct file_prodotto {
    std::filesystem::path file;
    produzione_byte produci;
};

// As above, each file's bytes written into its temporary file as they are produced.
void sostituisci_file(const std::vector<file_prodotto>& insieme);

// The whole content of a file; guasto_file when it cannot be read.
std::string leggi_file(const std::filesystem::path& file);

// Deletes a file where it exists (a link itself, never what it points to); guasto_file when it
// exists and cannot be deleted.
void elimina_se_esiste(const std::filesystem::path& file);

// Deletes a file where it exists and can be deleted; for cleaning up on a failure path, which
// must not fail in turn.
void elimina_senza_guasto(const std::filesystem::path& file);

// Removes the temporary files that a run killed half-way left in `cartella`: plain files named
// as this layer names its temporary files, nothing else. Call it only while holding the folder
// (textfile/blocco_cartella.h), or it could take the files of a run still writing.
void rimuovi_temporanei_rimasti(const std::filesystem::path& cartella);

// A file name for messages, in the platform's own form.
std::string nome_leggibile(const std::filesystem::path& file);

}  // namespace scenario
