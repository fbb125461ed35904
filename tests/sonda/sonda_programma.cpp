// Linked with the program's own main into `programma_sonda`: the real program, with an observer
// of its file operations installed before main starts, set through the environment.
//   SONDA_FERMA_DOPO=N      the process is killed (SIGKILL) right after its N-th operation
//   SONDA_TRACCIA=FILE      one line per operation appended to FILE: "N OPERATION FILE [TARGET]"
//   SONDA_GUASTO="OP NAME E" the first OP on the temporary file of the target NAME fails with
//                           errno E, as a full disk or a failed flush would
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <string>

#include "textfile/sonda_file.h"

namespace {

using scenario::operazione_file;

class sonda_da_ambiente : public scenario::osservatore_file {
  public:
    sonda_da_ambiente() {
        if (const char* n = std::getenv("SONDA_FERMA_DOPO")) ferma_dopo_ = std::atol(n);
        if (const char* t = std::getenv("SONDA_TRACCIA")) {
            traccia_ = ::open(t, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
        }
        if (const char* g = std::getenv("SONDA_GUASTO")) {
            std::istringstream campi(g);
            campi >> operazione_guasto_ >> nome_guasto_ >> errno_guasto_;
        }
        scenario::imposta_osservatore_file(this);
    }

    int prima(operazione_file operazione, const std::filesystem::path&,
              const std::filesystem::path& destinazione) override {
        if (errno_guasto_ != 0 && operazione_guasto_ == scenario::nome_operazione(operazione) &&
            destinazione.filename() == nome_guasto_) {
            int errore = errno_guasto_;
            errno_guasto_ = 0;
            return errore;
        }
        return 0;
    }

    void dopo(operazione_file operazione, const std::filesystem::path& file,
              const std::filesystem::path& destinazione) override {
        ++contate_;
        if (traccia_ >= 0) {
            std::string riga = std::to_string(contate_) + ' ' +
                               scenario::nome_operazione(operazione) + ' ' + file.string();
            if (!destinazione.empty()) riga += ' ' + destinazione.string();
            riga += '\n';
            // Written at once, unbuffered: the line is on record before a kill.
            if (::write(traccia_, riga.data(), riga.size()) < 0) std::abort();
        }
        if (ferma_dopo_ > 0 && contate_ >= ferma_dopo_) ::kill(::getpid(), SIGKILL);
    }

  private:
    long ferma_dopo_ = 0;
    long contate_ = 0;
    int traccia_ = -1;
    std::string operazione_guasto_;
    std::string nome_guasto_;
    int errno_guasto_ = 0;
};

sonda_da_ambiente sonda;

}  // namespace
