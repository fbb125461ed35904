#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "textfile/sonda_file.h"

namespace scenario::prova {

// While it lives, records every file operation of this process and can make one fail as the
// system would (a full disk, a failed flush).
class sonda_registrata : public osservatore_file {
  public:
    struct voce {
        operazione_file operazione;
        std::filesystem::path file;
        std::filesystem::path destinazione;
    };

    sonda_registrata() { imposta_osservatore_file(this); }
    ~sonda_registrata() override { imposta_osservatore_file(nullptr); }
    sonda_registrata(const sonda_registrata&) = delete;
    sonda_registrata& operator=(const sonda_registrata&) = delete;

    // The first `operazione` on the temporary file of the target named `nome` fails with
    // `errore` (an errno value).
    void fallisci(operazione_file operazione, const std::string& nome, int errore) {
        guasto_ = {operazione, nome, errore, false};
    }

    int prima(operazione_file operazione, const std::filesystem::path&,
              const std::filesystem::path& destinazione) override {
        if (!guasto_.usato && guasto_.errore != 0 && operazione == guasto_.operazione &&
            destinazione.filename() == guasto_.nome) {
            guasto_.usato = true;
            return guasto_.errore;
        }
        return 0;
    }

    void dopo(operazione_file operazione, const std::filesystem::path& file,
              const std::filesystem::path& destinazione) override {
        traccia.push_back({operazione, file, destinazione});
    }

    std::vector<voce> traccia;

  private:
    struct guasto {
        operazione_file operazione = operazione_file::crea;
        std::string nome;
        int errore = 0;
        bool usato = false;
    };
    guasto guasto_;
};

}  // namespace scenario::prova
