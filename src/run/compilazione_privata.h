#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "model/diagnostica.h"
#include "model/stato_run.h"
#include "run/piattaforma.h"
#include "textfile/archivio_file.h"
#include "textfile/cartella_privata.h"

namespace scenario {

// The two sources of one compilation, as bytes, and the identity they are compiled under.
struct sorgenti_da_compilare {
    std::string nome_scenario;
    std::string numero_treno;
    std::string sorgente_linea;
    std::string sorgente_treno;
    std::int32_t j = 1;  // as memorizza_percorso's: 0 builds no line geometry
    // Where the private folder is made; empty: the system's temporary folder.
    std::filesystem::path base;
    // No folder at all: the sources and the files written are held in memory (a caller that
    // compiles thousands of sources a second and only looks at the bytes).
    bool in_memoria = false;
    // Where the readers report; with a sink that keeps going (check) nothing is written.
    raccolta_diagnostiche* diagnostiche = nullptr;
};

// One compilation of two sources exactly as the program compiles its own (memorizza_percorso:
// compiler, cell pass, stamps, binary files), run in a private folder so that the compiler's
// deletions never touch anybody's files. The caller gives bytes and takes bytes: what the
// folder holds afterwards is read through `file_presenti` and `leggi`, never by path, so the
// folder can later give way to files held in memory without changing a caller.
//
// The folder and everything in it goes with the object.
class compilazione_privata {
  public:
    // Writes the sources and compiles them. Codes 1250 and 1251 do not escape: the message goes
    // to `schermo`, the code stays in `stato().codice_errore` and `fermata_dai_timbri` is true.
    // Throws guasto_file when the folder or a source cannot be written, or the binary files
    // cannot (as the program would fail); any other exception is a fault of the compiler.
    compilazione_privata(const sorgenti_da_compilare& sorgenti, piattaforma& schermo);

    compilazione_privata(const compilazione_privata&) = delete;
    compilazione_privata& operator=(const compilazione_privata&) = delete;

    // The run state the compilation left: model, codes, the source record of the last code.
    const stato_run& stato() const { return stato_; }
    // The binary files were written (the cells were sized and the stamps applied).
    bool file_scritti() const { return scritti_; }
    bool fermata_dai_timbri() const { return fermata_; }

    // The names of the binary files written, in the order the program writes them; empty when
    // none was.
    std::vector<std::string> file_binari() const;
    // Every file left in the folder, sorted by name: sources the compiler did not delete,
    // temporary files, binary files.
    std::vector<std::string> file_presenti() const;
    // The bytes of one of them; guasto_file when it is not there.
    std::string leggi(const std::string& nome) const;
    // Its size; in memory the file is produced and counted, never held whole.
    std::uintmax_t dimensione(const std::string& nome) const;
    // Its bytes into `destinazione` a block at a time, never whole in memory; guasto_file when it
    // is not there or cannot be read.
    void produci(const std::string& nome, destinazione_byte& destinazione) const;

    // The private folder, as the compiler's messages may name it; empty in memory.
    const std::filesystem::path& cartella() const { return stato_.cartella; }

  private:
    std::optional<cartella_privata> cartella_;
    // The binary files are kept as their producers over `stato_`, which never changes after the
    // compilation: a caller that only measures the geometry never holds it.
    archivio_memoria memoria_{true};
    stato_run stato_;
    bool scritti_ = false;
    bool fermata_ = false;
};

}  // namespace scenario
