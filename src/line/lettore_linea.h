#pragma once

#include <cstdint>
#include <filesystem>

#include "model/stato_run.h"

namespace scenario {

// How the line half of the compiler ended.
struct esito_linea {
    // True when it ended normally or with code 15: the train half runs next.
    bool prosegui = false;
    // The next free `punti` index for a board text (80 minus the boards placed).
    std::int32_t prossimo_cartello = 80;
};

// The line half of `memorizza_dati`: existence, header, sizing, chainage order, features, and the
// deletion of the source. Records codes in `stato`; a run-time fault is thrown (the caller turns
// it into code 25).
esito_linea leggi_sorgente_linea(stato_run& stato);

}  // namespace scenario
