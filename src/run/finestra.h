#pragma once

#include <memory>

#include "run/piattaforma.h"

namespace scenario {

// The desktop when a display can be opened, otherwise the headless platform.
std::unique_ptr<piattaforma> crea_piattaforma();

}  // namespace scenario
