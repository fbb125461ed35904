#include "senza_privilegi.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

namespace scenario::prova {

int esegui_senza_privilegi(const std::function<int()>& prova) {
    std::fflush(nullptr);
    pid_t figlio = fork();
    if (figlio < 0) return -1;
    if (figlio == 0) {
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(id_senza_privilegi) != 0 ||
                               setuid(id_senza_privilegi) != 0)) {
            _exit(255);
        }
        int esito = 255;
        try {
            esito = prova();
        } catch (...) {
        }
        // No exit handlers: they belong to the test program in the parent.
        _exit(esito);
    }
    int stato = 0;
    if (waitpid(figlio, &stato, 0) != figlio || !WIFEXITED(stato)) return -1;
    return WEXITSTATUS(stato) == 255 ? -1 : WEXITSTATUS(stato);
}

}  // namespace scenario::prova
