#include "textfile/blocco_cartella.h"

#include <cerrno>
#include <cstring>
#include <system_error>
#include <thread>

#include "model/guasto.h"
#include "textfile/file_disco.h"

#ifdef _WIN32
#include <cstdint>

#include "textfile/sistema_windows.h"
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace scenario {

#ifdef _WIN32

namespace {

std::wstring nome_mutex(const std::filesystem::path& cartella) {
    std::error_code errore;
    std::filesystem::path assoluta = std::filesystem::absolute(cartella, errore);
    if (errore) assoluta = cartella;
    std::wstring percorso = assoluta.lexically_normal().wstring();
    while (percorso.size() > 3 && (percorso.back() == L'\\' || percorso.back() == L'/')) {
        percorso.pop_back();
    }
    if (!percorso.empty()) CharUpperBuffW(percorso.data(), static_cast<DWORD>(percorso.size()));
    // A mutex name is short and takes no backslash: the path is folded into a hash.
    std::uint64_t h = 1469598103934665603ULL;
    for (wchar_t c : percorso) {
        h ^= static_cast<std::uint16_t>(c);
        h *= 1099511628211ULL;
    }
    return L"Local\\lerno_castelbrum_pusena-cartella-" + std::to_wstring(h);
}

}  // namespace

blocco_cartella::blocco_cartella(const std::filesystem::path& cartella,
                                 std::chrono::milliseconds attesa,
                                 const std::function<void()>& in_attesa) {
    HANDLE mutex = CreateMutexW(nullptr, FALSE, nome_mutex(cartella).c_str());
    if (mutex == nullptr) {
        throw guasto_file(nome_leggibile(cartella),
                          std::system_category().message(static_cast<int>(GetLastError())));
    }
    // WAIT_ABANDONED: the run that held it was killed; the folder is ours now.
    DWORD esito = WaitForSingleObject(mutex, 0);
    if (esito == WAIT_TIMEOUT) {
        in_attesa();
        esito = WaitForSingleObject(mutex, static_cast<DWORD>(attesa.count()));
    }
    if (esito != WAIT_OBJECT_0 && esito != WAIT_ABANDONED) {
        CloseHandle(mutex);
        throw cartella_occupata(nome_leggibile(cartella));
    }
    mutex_ = mutex;
}

blocco_cartella::~blocco_cartella() {
    ReleaseMutex(mutex_);
    CloseHandle(mutex_);
}

#else

blocco_cartella::blocco_cartella(const std::filesystem::path& cartella,
                                 std::chrono::milliseconds attesa,
                                 const std::function<void()>& in_attesa) {
    const std::filesystem::path aperta = cartella.empty() ? std::filesystem::path(".") : cartella;
    fd_ = ::open(aperta.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) throw guasto_file(nome_leggibile(cartella), std::strerror(errno));
    const auto scadenza = std::chrono::steady_clock::now() + attesa;
    bool avvisato = false;
    for (;;) {
        if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) return;
        const int errore = errno;
        if (errore != EWOULDBLOCK && errore != EINTR) {
            ::close(fd_);
            throw guasto_file(nome_leggibile(cartella), std::strerror(errore));
        }
        if (std::chrono::steady_clock::now() >= scadenza) {
            ::close(fd_);
            throw cartella_occupata(nome_leggibile(cartella));
        }
        if (!avvisato) {
            in_attesa();
            avvisato = true;
        }
        // Polled rather than blocking: a blocking flock cannot be given a deadline.
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

blocco_cartella::~blocco_cartella() {
    // Closing the last descriptor of the open folder releases the lock.
    ::close(fd_);
}

#endif

}  // namespace scenario
