#include "textfile/cartella_sorvegliata.h"

#ifndef _WIN32
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <csignal>
#include <cstring>
#include <mutex>
#endif

namespace scenario {

#ifdef _WIN32

cartella_sorvegliata::cartella_sorvegliata(const std::filesystem::path&) {}
cartella_sorvegliata::~cartella_sorvegliata() = default;

#else

namespace {

constexpr int posti = 8;
constexpr std::size_t lunghezza_massima = 4096;
constexpr std::array<int, 3> segnali = {SIGINT, SIGTERM, SIGHUP};

// A slot is written only while it is free (stato 0); the handler reads only slots marked in use
// (stato 2), after the path is complete.
struct posto {
    std::atomic<int> stato{0};
    char percorso[lunghezza_massima];
};
static_assert(std::atomic<int>::is_always_lock_free);

posto elenco[posti];
std::mutex guardia_gestori;
int sorvegliate = 0;
struct sigaction precedenti[segnali.size()];

// Only calls that are safe inside a signal handler: the folder is read with getdents64, not
// opendir, which allocates.
void svuota_e_rimuovi(const char* percorso) {
    int fd = ::open(percorso, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    alignas(8) char blocco[4096];
    for (;;) {
        ssize_t letti = ::getdents64(fd, blocco, sizeof blocco);
        if (letti <= 0) break;
        for (ssize_t da = 0; da < letti;) {
            const auto* voce = reinterpret_cast<const dirent64*>(blocco + da);
            const char* nome = voce->d_name;
            if (std::strcmp(nome, ".") != 0 && std::strcmp(nome, "..") != 0) {
                ::unlinkat(fd, nome, 0);
            }
            da += voce->d_reclen;
        }
    }
    ::close(fd);
    ::rmdir(percorso);
}

void al_segnale(int segnale) {
    for (posto& p : elenco) {
        if (p.stato.load() == 2) svuota_e_rimuovi(p.percorso);
    }
    // Ends by the same signal: the default action takes over once this handler returns.
    ::signal(segnale, SIG_DFL);
    ::raise(segnale);
}

void installa_gestori() {
    for (std::size_t n = 0; n < segnali.size(); ++n) {
        struct sigaction attuale {};
        ::sigaction(segnali[n], nullptr, &attuale);
        precedenti[n] = attuale;
        if (attuale.sa_handler == SIG_IGN) continue;
        struct sigaction nuova {};
        nuova.sa_handler = al_segnale;
        sigemptyset(&nuova.sa_mask);
        for (int s : segnali) sigaddset(&nuova.sa_mask, s);
        ::sigaction(segnali[n], &nuova, nullptr);
    }
}

void ripristina_gestori() {
    for (std::size_t n = 0; n < segnali.size(); ++n)
        ::sigaction(segnali[n], &precedenti[n], nullptr);
}

}  // namespace

cartella_sorvegliata::cartella_sorvegliata(const std::filesystem::path& cartella) {
    const std::string percorso = cartella.string();
    if (percorso.size() >= lunghezza_massima) return;
    for (int n = 0; n < posti; ++n) {
        int libero = 0;
        if (!elenco[n].stato.compare_exchange_strong(libero, 1)) continue;
        std::memcpy(elenco[n].percorso, percorso.c_str(), percorso.size() + 1);
        elenco[n].stato.store(2);
        posto_ = n;
        break;
    }
    if (posto_ < 0) return;
    std::lock_guard<std::mutex> chiave(guardia_gestori);
    if (sorvegliate++ == 0) installa_gestori();
}

cartella_sorvegliata::~cartella_sorvegliata() {
    if (posto_ < 0) return;
    elenco[posto_].stato.store(0);
    std::lock_guard<std::mutex> chiave(guardia_gestori);
    if (--sorvegliate == 0) ripristina_gestori();
}

#endif

}  // namespace scenario
