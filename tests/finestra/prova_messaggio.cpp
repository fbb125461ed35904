// Shows the message box of `errore` through the desktop platform and prints the button pressed,
// so that a script on a real X display can check the box and press its button.
#include <iostream>

#include "run/finestra.h"

int main(int argc, char** argv) {
    auto schermo = scenario::crea_piattaforma();
    std::string testo = argc > 1 ? argv[1] : " Errore n. 1250";
    std::cout << schermo->mostra_messaggio(testo) << std::endl;
    return 0;
}
