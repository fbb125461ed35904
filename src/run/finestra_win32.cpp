// The desktop on Windows: the wait window and the message boxes straight from the Win32 API, so
// that the program stays one executable with nothing to install beside it.
#include <iostream>
#include <memory>
#include <string>

#include "run/finestra.h"
#include "textfile/sistema_windows.h"

namespace scenario {

namespace {

// A message box without a title of its own shows the program's name.
constexpr const wchar_t* titolo_applicazione = L"lerno_castelbrum_pusena";
constexpr const wchar_t* classe_Form1 = L"lerno_castelbrum_pusena.Form1";

// Form1 and Label1 in pixels, at 15 twips per pixel.
constexpr int larghezza_Form1 = 280;
constexpr int altezza_Form1 = 179;
constexpr RECT riquadro_Label1 = {64, 64, 64 + 177, 64 + 53};
constexpr int punti_Label1 = 24;

// Our texts are UTF-8 (file names come from std::filesystem, which speaks UTF-8 here); anything
// that is not valid UTF-8 is read in the ANSI code page, as the system's own messages are.
std::wstring testo_largo(const std::string& testo) {
    if (testo.empty()) return {};
    const int lunghezza = static_cast<int>(testo.size());
    for (UINT pagina : {static_cast<UINT>(CP_UTF8), static_cast<UINT>(CP_ACP)}) {
        const DWORD rigore = pagina == CP_UTF8 ? MB_ERR_INVALID_CHARS : 0;
        int n = MultiByteToWideChar(pagina, rigore, testo.data(), lunghezza, nullptr, 0);
        if (n <= 0) continue;
        std::wstring largo(static_cast<std::size_t>(n), L'\0');
        MultiByteToWideChar(pagina, rigore, testo.data(), lunghezza, largo.data(), n);
        return largo;
    }
    return std::wstring(testo.begin(), testo.end());
}

// Label1 is drawn by the form itself, like a label without a window of its own; its font
// travels in the window's user data.
LRESULT CALLBACK procedura_Form1(HWND finestra, UINT messaggio, WPARAM w, LPARAM l) {
    if (messaggio != WM_PAINT) return DefWindowProcW(finestra, messaggio, w, l);
    PAINTSTRUCT disegno;
    HDC dc = BeginPaint(finestra, &disegno);
    auto carattere = reinterpret_cast<HFONT>(GetWindowLongPtrW(finestra, GWLP_USERDATA));
    HGDIOBJ precedente = carattere != nullptr ? SelectObject(dc, carattere) : nullptr;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    RECT riquadro = riquadro_Label1;
    DrawTextW(dc, L"Attendere", -1, &riquadro, DT_LEFT | DT_TOP | DT_WORDBREAK | DT_NOPREFIX);
    if (precedente != nullptr) SelectObject(dc, precedente);
    EndPaint(finestra, &disegno);
    return 0;
}

HFONT crea_carattere_Label1() {
    HDC schermo = GetDC(nullptr);
    const int punti_per_pollice = schermo != nullptr ? GetDeviceCaps(schermo, LOGPIXELSY) : 96;
    if (schermo != nullptr) ReleaseDC(nullptr, schermo);
    return CreateFontW(-MulDiv(punti_Label1, punti_per_pollice, 72), 0, 0, 0, FW_BOLD, FALSE, FALSE,
                       FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"MS Sans Serif");
}

class piattaforma_win32 : public piattaforma {
  public:
    piattaforma_win32() = default;
    piattaforma_win32(const piattaforma_win32&) = delete;
    piattaforma_win32& operator=(const piattaforma_win32&) = delete;

    ~piattaforma_win32() override {
        if (Form1_ != nullptr) DestroyWindow(Form1_);
        if (carattere_ != nullptr) DeleteObject(carattere_);
    }

    // A window that cannot be made (no desktop) leaves the run without one: the work matters
    // more than the sign that it is going on.
    void mostra_attesa() override {
        HINSTANCE istanza = GetModuleHandleW(nullptr);
        WNDCLASSEXW classe{};
        classe.cbSize = sizeof classe;
        classe.lpfnWndProc = procedura_Form1;
        classe.hInstance = istanza;
        classe.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
        classe.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        classe.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        classe.lpszClassName = classe_Form1;
        if (RegisterClassExW(&classe) == 0) return;

        constexpr DWORD stile = WS_OVERLAPPEDWINDOW;
        RECT esterno = {0, 0, larghezza_Form1, altezza_Form1};
        AdjustWindowRectEx(&esterno, stile, FALSE, 0);
        Form1_ = CreateWindowExW(0, classe_Form1, L"Form1", stile, CW_USEDEFAULT, CW_USEDEFAULT,
                                 esterno.right - esterno.left, esterno.bottom - esterno.top,
                                 nullptr, nullptr, istanza, nullptr);
        if (Form1_ == nullptr) return;
        carattere_ = crea_carattere_Label1();
        SetWindowLongPtrW(Form1_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(carattere_));

        // Drawn once, now: nothing services the window while the run works.
        ShowWindow(Form1_, SW_SHOWNORMAL);
        UpdateWindow(Form1_);
        GdiFlush();
    }

    std::int32_t mostra_messaggio(const std::string& testo) override {
        int pulsante = MessageBoxW(Form1_, testo_largo(testo).c_str(), titolo_applicazione, MB_OK);
        if (pulsante != 0) return pulsante;
        // No desktop to show the box on: the text goes where a headless run puts it.
        std::cerr << testo << '\n';
        return pulsante_ok;
    }

    // The caller has already written the failure to standard error.
    void mostra_guasto(const std::string& testo) override {
        MessageBoxW(Form1_, testo_largo(testo).c_str(), titolo_applicazione, MB_OK);
    }

  private:
    HWND Form1_ = nullptr;
    HFONT carattere_ = nullptr;
};

}  // namespace

std::unique_ptr<piattaforma> crea_piattaforma() { return std::make_unique<piattaforma_win32>(); }

}  // namespace scenario
