#include <iostream>
#include <string>
#include <vector>

#include "tool/strumento.h"
#include "tool/uscita_standard.h"

int main(int argc, char** argv) {
    std::vector<std::string> parole(argv + (argc > 0 ? 1 : 0), argv + argc);
    scenario::strumento::buffer_descrittore standard(1);
    std::ostream uscita(&standard);
    return scenario::strumento::esegui_strumento(parole, uscita, std::cerr);
}
