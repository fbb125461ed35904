#include "tool/attesa_interruzione.h"

#include <chrono>
#include <utility>

#ifdef _WIN32
#include <condition_variable>
#include <mutex>

#include "textfile/sistema_windows.h"
#else
#include <pthread.h>

#include <csignal>
#include <ctime>
#endif

namespace scenario::strumento {

namespace {

constexpr std::chrono::milliseconds passo{10};

#ifdef _WIN32

// The console calls its handlers on a thread of its own; the handler only wakes the waiting
// thread. One command at a time waits, so one set of state serves.
std::mutex mutex_console;
std::condition_variable sveglia_console;
bool richiesta_console = false;
bool fine_console = false;

BOOL WINAPI al_controllo(DWORD evento) {
    switch (evento) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT:
        case CTRL_CLOSE_EVENT: {
            {
                std::lock_guard<std::mutex> chiave(mutex_console);
                richiesta_console = true;
            }
            sveglia_console.notify_all();
            if (evento == CTRL_CLOSE_EVENT) {
                // The system ends the process as soon as this returns: the stop gets the few
                // seconds the system allows.
                std::unique_lock<std::mutex> chiave(mutex_console);
                sveglia_console.wait_for(chiave, std::chrono::seconds(4),
                                         [] { return fine_console; });
            }
            return TRUE;
        }
        default:
            return FALSE;
    }
}

#else

sigset_t segnali_interruzione() {
    sigset_t segnali;
    sigemptyset(&segnali);
    sigaddset(&segnali, SIGINT);
    sigaddset(&segnali, SIGTERM);
    return segnali;
}

#endif

}  // namespace

#ifdef _WIN32

attesa_interruzione::attesa_interruzione(std::function<bool()> ferma) : ferma_(std::move(ferma)) {
    {
        std::lock_guard<std::mutex> chiave(mutex_console);
        richiesta_console = false;
        fine_console = false;
    }
    SetConsoleCtrlHandler(al_controllo, TRUE);
    filo_ = std::thread([this] { attendi(); });
}

attesa_interruzione::~attesa_interruzione() {
    finito_ = true;
    {
        std::lock_guard<std::mutex> chiave(mutex_console);
        fine_console = true;
    }
    sveglia_console.notify_all();
    if (filo_.joinable()) filo_.join();
    SetConsoleCtrlHandler(al_controllo, FALSE);
}

void attesa_interruzione::attendi() {
    {
        std::unique_lock<std::mutex> chiave(mutex_console);
        sveglia_console.wait(chiave, [] { return richiesta_console || fine_console; });
        if (fine_console) return;
    }
    ricevuta_ = true;
    while (!finito_ && !ferma_()) std::this_thread::sleep_for(passo);
}

#else

attesa_interruzione::attesa_interruzione(std::function<bool()> ferma) : ferma_(std::move(ferma)) {
    const sigset_t segnali = segnali_interruzione();
    pthread_sigmask(SIG_BLOCK, &segnali, &precedenti_);
    filo_ = std::thread([this] { attendi(); });
}

// When the command ended by itself, the waiting thread is woken with a signal of its own.
attesa_interruzione::~attesa_interruzione() {
    finito_ = true;
    if (filo_.joinable()) {
        pthread_kill(filo_.native_handle(), SIGTERM);
        filo_.join();
    }
    // A Ctrl-C that came during the stop stays pending; it must not end the process later.
    const sigset_t segnali = segnali_interruzione();
    sigset_t in_attesa;
    sigpending(&in_attesa);
    timespec zero{0, 0};
    while (sigismember(&in_attesa, SIGINT) || sigismember(&in_attesa, SIGTERM)) {
        if (sigtimedwait(&segnali, nullptr, &zero) < 0) break;
        sigpending(&in_attesa);
    }
    pthread_sigmask(SIG_SETMASK, &precedenti_, nullptr);
}

void attesa_interruzione::attendi() {
    const sigset_t segnali = segnali_interruzione();
    int segnale = 0;
    sigwait(&segnali, &segnale);
    if (finito_) return;
    ricevuta_ = true;
    while (!finito_ && !ferma_()) std::this_thread::sleep_for(passo);
}

#endif

}  // namespace scenario::strumento
