// The desktop on Linux: the wait window and the message boxes with FLTK. FLTK ends the process
// when it cannot open a display, so the display is probed first and, without one, the program
// runs headless.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>
#include <FL/x.H>
#include <X11/Xlib.h>

#include <algorithm>
#include <memory>

#include "run/finestra.h"

namespace scenario {

namespace {

constexpr const char* titolo_applicazione = "lerno_castelbrum_pusena";
// 24 points at the 96 dots per inch of a desktop.
constexpr int dimensione_carattere = 32;
constexpr int larghezza_massima_testo = 600;
constexpr int larghezza_minima_testo = 200;
constexpr int larghezza_pulsante = 80;
constexpr int altezza_pulsante = 28;

bool schermo_disponibile() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return false;
    XCloseDisplay(display);
    return true;
}

class piattaforma_fltk : public piattaforma {
  public:
    void mostra_attesa() override {
        Form1_ = std::make_unique<Fl_Window>(280, 179, "Form1");
        Label1_ = new Fl_Box(64, 64, 177, 53, "Attendere");
        Label1_->labelfont(FL_HELVETICA_BOLD);
        Label1_->labelsize(dimensione_carattere);
        Label1_->align(FL_ALIGN_LEFT | FL_ALIGN_TOP | FL_ALIGN_INSIDE);
        Form1_->end();
        Form1_->show();
        // Drawn once: wait until the window is mapped, then flush the drawing to the display.
        while (!Form1_->visible()) Fl::wait();
        Fl::check();
        Form1_->redraw();
        Fl::flush();
        XSync(fl_display, False);
    }

    std::int32_t mostra_messaggio(const std::string& testo) override {
        // One OK button, no icon, the application's title; sized to its text, centred on the
        // screen.
        fl_open_display();
        fl_font(FL_HELVETICA, FL_NORMAL_SIZE);
        int larghezza = 0;
        int altezza = 0;
        fl_measure(testo.c_str(), larghezza, altezza, 0);
        if (larghezza > larghezza_massima_testo) {
            larghezza = larghezza_massima_testo;
            fl_measure(testo.c_str(), larghezza, altezza, 0);
        }
        larghezza = std::max(larghezza, larghezza_minima_testo);
        const int margine = 15;
        const int w = larghezza + 2 * margine;
        const int h = altezza + 3 * margine + altezza_pulsante;
        Fl_Window finestra((Fl::w() - w) / 2, (Fl::h() - h) / 2, w, h, titolo_applicazione);
        Fl_Box etichetta(margine, margine, larghezza, altezza);
        etichetta.copy_label(testo.c_str());
        etichetta.align(FL_ALIGN_LEFT | FL_ALIGN_TOP | FL_ALIGN_INSIDE | FL_ALIGN_WRAP);
        Fl_Button ok((w - larghezza_pulsante) / 2, h - margine - altezza_pulsante,
                     larghezza_pulsante, altezza_pulsante, "OK");
        bool premuto = false;
        ok.callback([](Fl_Widget*, void* dato) { *static_cast<bool*>(dato) = true; }, &premuto);
        finestra.end();
        finestra.set_modal();
        finestra.show();
        while (finestra.shown() && !premuto) Fl::wait();
        finestra.hide();
        Fl::check();
        return pulsante_ok;
    }

    void mostra_guasto(const std::string& testo) override { mostra_messaggio(testo); }

  private:
    std::unique_ptr<Fl_Window> Form1_;
    Fl_Box* Label1_ = nullptr;  // owned by the window
};

}  // namespace

std::unique_ptr<piattaforma> crea_piattaforma() {
    if (!schermo_disponibile()) return std::make_unique<piattaforma_senza_schermo>();
    return std::make_unique<piattaforma_fltk>();
}

}  // namespace scenario
