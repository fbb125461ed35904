#include <iostream>
#include <string>
#include <vector>

#include "tool/piattaforma_strumento.h"
#include "tool/strumento.h"
#include "tool/uscita_standard.h"

int main(int argc, char** argv) {
    scenario::strumento::fine_su_interruzione();
    std::vector<std::string> parole = scenario::strumento::parole_riga_comando(argc, argv);
    scenario::strumento::buffer_descrittore standard(1);
    std::ostream uscita(&standard);
    return scenario::strumento::esegui_strumento(parole, uscita, std::cerr);
}
