#include "support/processo_figlio.h"

#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <string_view>

namespace scenario::prova {

processo_figlio::processo_figlio(const avvio_processo& avvio) {
    // Everything the child needs is built before the fork.
    std::vector<std::string> variabili;
    for (char** voce = environ; *voce != nullptr; ++voce) {
        if (std::string_view(*voce).substr(0, 8) != "DISPLAY=") variabili.emplace_back(*voce);
    }
    for (const std::string& v : avvio.ambiente) variabili.push_back(v);
    std::vector<char*> ambiente;
    for (std::string& v : variabili) ambiente.push_back(v.data());
    ambiente.push_back(nullptr);
    std::string percorso = avvio.programma.string();
    std::vector<std::string> parole = avvio.argomenti;
    std::vector<char*> argomenti = {percorso.data()};
    for (std::string& p : parole) argomenti.push_back(p.data());
    argomenti.push_back(nullptr);
    const std::string cartella = avvio.cartella.string();

    int tubo[2];
    if (pipe(tubo) != 0) throw std::runtime_error("pipe non riuscita");
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("fork non riuscita");
    if (pid_ == 0) {
        // Only async-signal-safe calls from here to exec; any failure is exit status 127.
        close(tubo[0]);
        if (dup2(tubo[1], STDERR_FILENO) < 0 || chdir(cartella.c_str()) != 0) _exit(127);
        if (avvio.limite_file) {
            rlimit limite{*avvio.limite_file, *avvio.limite_file};
            if (setrlimit(RLIMIT_FSIZE, &limite) != 0) _exit(127);
        }
        if (avvio.senza_privilegi &&
            (setgroups(0, nullptr) != 0 || setgid(id_senza_privilegi) != 0 ||
             setuid(id_senza_privilegi) != 0)) {
            _exit(127);
        }
        execve(percorso.c_str(), argomenti.data(), ambiente.data());
        _exit(127);
    }
    close(tubo[1]);
    errori_ = tubo[0];
}

processo_figlio::~processo_figlio() {
    if (errori_ >= 0) close(errori_);
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

bool processo_figlio::attendi_testo(const std::string& testo, int secondi) {
    const auto scadenza = std::chrono::steady_clock::now() + std::chrono::seconds(secondi);
    while (letti_.find(testo) == std::string::npos) {
        const auto resto = std::chrono::duration_cast<std::chrono::milliseconds>(
            scadenza - std::chrono::steady_clock::now());
        if (resto.count() <= 0) return false;
        pollfd p{errori_, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(resto.count())) <= 0) continue;
        char blocco[4096];
        ssize_t n = read(errori_, blocco, sizeof blocco);
        if (n <= 0) return false;
        letti_.append(blocco, static_cast<std::size_t>(n));
    }
    return true;
}

fine_processo processo_figlio::attendi() {
    fine_processo fine;
    char blocco[4096];
    ssize_t n = 0;
    while ((n = read(errori_, blocco, sizeof blocco)) > 0) {
        letti_.append(blocco, static_cast<std::size_t>(n));
    }
    close(errori_);
    errori_ = -1;
    int stato = 0;
    if (waitpid(pid_, &stato, 0) != pid_) throw std::runtime_error("waitpid non riuscita");
    pid_ = -1;
    fine.uscito = WIFEXITED(stato);
    fine.stato = fine.uscito ? WEXITSTATUS(stato) : WTERMSIG(stato);
    fine.errori = letti_;
    return fine;
}

}  // namespace scenario::prova
