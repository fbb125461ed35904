#include "tool/piattaforma_strumento.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include "textfile/sistema_windows.h"
// After windows.h (sistema_windows.h), which it needs.
#include <shellapi.h>

#include <cstdio>
#endif

namespace scenario::strumento {

std::int32_t piattaforma_strumento::mostra_messaggio(const std::string& testo) {
    errori_ << "scenario-tool:" << testo << '\n';
    return pulsante_ok;
}

#ifdef _WIN32

namespace {

std::string utf8(const wchar_t* parola) {
    const int lunghezza = WideCharToMultiByte(CP_UTF8, 0, parola, -1, nullptr, 0, nullptr, nullptr);
    if (lunghezza <= 1) return {};
    std::string testo(static_cast<std::size_t>(lunghezza), '\0');
    WideCharToMultiByte(CP_UTF8, 0, parola, -1, testo.data(), lunghezza, nullptr, nullptr);
    testo.pop_back();  // the terminating zero
    return testo;
}

// Registered first, so called last: the handlers registered later run before it.
BOOL WINAPI al_controllo(DWORD evento) {
    if (evento != CTRL_C_EVENT && evento != CTRL_BREAK_EVENT && evento != CTRL_CLOSE_EVENT) {
        return FALSE;
    }
    ExitProcess(STATUS_CONTROL_C_EXIT);
}

}  // namespace

std::filesystem::path percorso_utente(const std::string& parola) {
    return std::filesystem::path(std::u8string(parola.begin(), parola.end()));
}

void fine_su_interruzione() { SetConsoleCtrlHandler(al_controllo, TRUE); }

std::vector<std::string> parole_riga_comando(int argc, char** argv) {
    int quante = 0;
    wchar_t** larghe = CommandLineToArgvW(GetCommandLineW(), &quante);
    if (larghe == nullptr) {
        // Without the wide line the narrow one is still better than nothing.
        return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
    }
    std::vector<std::string> parole;
    for (int n = 1; n < quante; ++n) parole.push_back(utf8(larghe[n]));
    LocalFree(larghe);
    return parole;
}

void flussi_standard_binari() {
    std::fflush(stdout);
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
}

#else

std::vector<std::string> parole_riga_comando(int argc, char** argv) {
    return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

std::filesystem::path percorso_utente(const std::string& parola) {
    return std::filesystem::path(parola);
}

void fine_su_interruzione() {}

void flussi_standard_binari() {}

#endif

}  // namespace scenario::strumento
