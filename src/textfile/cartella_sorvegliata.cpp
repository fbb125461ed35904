#include "textfile/cartella_sorvegliata.h"

#include <atomic>
#include <mutex>

#ifdef _WIN32
#include <cwchar>

#include "textfile/sistema_windows.h"
#else
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <csignal>
#include <cstring>
#endif

namespace scenario {

#ifdef _WIN32

namespace {

constexpr int posti = 8;
// Room for the long paths a folder under %TEMP% can have, "\\*" included.
constexpr std::size_t lunghezza_massima = 4096;
// The work in progress may hold a file of the folder open for a moment: the clean-up tries again
// for up to this long before it lets the process end.
constexpr int tentativi_pulizia = 100;
constexpr DWORD pausa_pulizia_ms = 20;

// A slot is written only while it is free (stato 0); the handler reads only slots marked in use
// (stato 2), after the path is complete.
struct posto {
    std::atomic<int> stato{0};
    wchar_t percorso[lunghezza_massima];
};

posto elenco[posti];
std::mutex guardia_gestore;
int sorvegliate = 0;

// Deletes the files of one folder and then the folder; false while anything is still there.
bool svuota_e_rimuovi(const wchar_t* percorso) {
    wchar_t modello[lunghezza_massima + 2];
    std::swprintf(modello, lunghezza_massima + 2, L"%ls\\*", percorso);
    WIN32_FIND_DATAW voce;
    HANDLE ricerca = FindFirstFileW(modello, &voce);
    if (ricerca != INVALID_HANDLE_VALUE) {
        do {
            if (std::wcscmp(voce.cFileName, L".") == 0 || std::wcscmp(voce.cFileName, L"..") == 0) {
                continue;
            }
            wchar_t file[lunghezza_massima + MAX_PATH + 2];
            std::swprintf(file, lunghezza_massima + MAX_PATH + 2, L"%ls\\%ls", percorso,
                          voce.cFileName);
            DeleteFileW(file);
        } while (FindNextFileW(ricerca, &voce));
        FindClose(ricerca);
    }
    return RemoveDirectoryW(percorso) || GetLastError() == ERROR_FILE_NOT_FOUND ||
           GetLastError() == ERROR_PATH_NOT_FOUND;
}

// Ctrl-C, Ctrl-Break and the closing of the console, as SIGINT, SIGTERM and SIGHUP on Linux: the
// folders go, and the next handler (the system's own, which ends the process) is called.
BOOL WINAPI al_controllo(DWORD evento) {
    if (evento != CTRL_C_EVENT && evento != CTRL_BREAK_EVENT && evento != CTRL_CLOSE_EVENT) {
        return FALSE;
    }
    for (int tentativo = 0; tentativo < tentativi_pulizia; ++tentativo) {
        bool tutte = true;
        for (posto& p : elenco) {
            if (p.stato.load() == 2 && !svuota_e_rimuovi(p.percorso)) tutte = false;
        }
        if (tutte) break;
        Sleep(pausa_pulizia_ms);
    }
    return FALSE;
}

}  // namespace

cartella_sorvegliata::cartella_sorvegliata(const std::filesystem::path& cartella) {
    const std::wstring percorso = cartella.wstring();
    if (percorso.size() >= lunghezza_massima) return;
    for (int n = 0; n < posti; ++n) {
        int libero = 0;
        if (!elenco[n].stato.compare_exchange_strong(libero, 1)) continue;
        std::wmemcpy(elenco[n].percorso, percorso.c_str(), percorso.size() + 1);
        elenco[n].stato.store(2);
        posto_ = n;
        break;
    }
    if (posto_ < 0) return;
    std::lock_guard<std::mutex> chiave(guardia_gestore);
    if (sorvegliate++ == 0) SetConsoleCtrlHandler(al_controllo, TRUE);
}

cartella_sorvegliata::~cartella_sorvegliata() {
    if (posto_ < 0) return;
    elenco[posto_].stato.store(0);
    std::lock_guard<std::mutex> chiave(guardia_gestore);
    if (--sorvegliate == 0) SetConsoleCtrlHandler(al_controllo, FALSE);
}

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
