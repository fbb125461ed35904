#pragma once

#include <cstdint>
#include <string>

namespace scenario {

// Where in a source the record being read stands, for diagnostics beyond the recorded code.
struct luogo_sorgente {
    std::string file;  // file name, empty when no source record is involved
    std::int32_t riga = 0;
    std::int32_t colonna = 0;
};

}  // namespace scenario
