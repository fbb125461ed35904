#pragma once

#include "model/stato_run.h"

namespace scenario {

// The compiler: the line half, then (when it ended normally or with code 15) the train half.
// Any run-time fault inside it deletes both sources where they exist and records code 25.
void memorizza_dati(stato_run& stato);

}  // namespace scenario
