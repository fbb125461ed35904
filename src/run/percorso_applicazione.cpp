#include "run/percorso_applicazione.h"

#include <system_error>

#include "model/guasto.h"

#ifdef _WIN32
#include <string>

#include "textfile/sistema_windows.h"
#endif

namespace scenario {

#ifdef _WIN32

std::filesystem::path cartella_applicazione() {
    // Wide characters all the way: the folder may hold characters outside the ANSI code page.
    // A name that fills the buffer may have been cut, so the buffer grows until it fits.
    std::wstring eseguibile(MAX_PATH, L'\0');
    for (;;) {
        const DWORD capienza = static_cast<DWORD>(eseguibile.size());
        const DWORD lunghezza = GetModuleFileNameW(nullptr, eseguibile.data(), capienza);
        if (lunghezza == 0) {
            const auto codice = static_cast<int>(GetLastError());
            throw guasto_file("GetModuleFileNameW", std::system_category().message(codice));
        }
        if (lunghezza < capienza) {
            eseguibile.resize(lunghezza);
            return std::filesystem::path(eseguibile).parent_path();
        }
        eseguibile.resize(eseguibile.size() * 2);
    }
}

#else

std::filesystem::path cartella_applicazione() {
    std::error_code errore;
    std::filesystem::path eseguibile = std::filesystem::read_symlink("/proc/self/exe", errore);
    if (errore) throw guasto_file("/proc/self/exe", errore.message());
    return eseguibile.parent_path();
}

#endif

}  // namespace scenario
