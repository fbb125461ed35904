#include "programma_figlio.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace scenario::prova {

fine_programma_figlio esegui_programma(const std::filesystem::path& cartella,
                                       const std::filesystem::path& programma,
                                       const avvio_programma& avvio) {
    // The environment without DISPLAY, built before the fork.
    std::vector<std::string> variabili;
    for (char** voce = environ; *voce != nullptr; ++voce) {
        if (std::string_view(*voce).substr(0, 8) != "DISPLAY=") variabili.emplace_back(*voce);
    }
    std::vector<char*> ambiente;
    for (std::string& v : variabili) ambiente.push_back(v.data());
    ambiente.push_back(nullptr);
    std::string percorso = programma.string();
    char* argomenti[] = {percorso.data(), nullptr};

    int tubo[2];
    if (pipe(tubo) != 0) throw std::runtime_error("pipe non riuscita");
    pid_t figlio = fork();
    if (figlio < 0) throw std::runtime_error("fork non riuscita");
    if (figlio == 0) {
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
        execve(percorso.c_str(), argomenti, ambiente.data());
        _exit(127);
    }
    close(tubo[1]);
    fine_programma_figlio fine;
    char blocco[4096];
    ssize_t letti = 0;
    while ((letti = read(tubo[0], blocco, sizeof blocco)) > 0) {
        fine.errori.append(blocco, static_cast<std::size_t>(letti));
    }
    close(tubo[0]);
    int stato = 0;
    if (waitpid(figlio, &stato, 0) != figlio) throw std::runtime_error("waitpid non riuscita");
    fine.uscito = WIFEXITED(stato);
    fine.stato = fine.uscito ? WEXITSTATUS(stato) : WTERMSIG(stato);
    return fine;
}

}  // namespace scenario::prova
