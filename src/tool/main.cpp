#include <iostream>
#include <string>
#include <vector>

#include "tool/strumento.h"

int main(int argc, char** argv) {
    std::vector<std::string> parole(argv + (argc > 0 ? 1 : 0), argv + argc);
    return scenario::strumento::esegui_strumento(parole, std::cout, std::cerr);
}
