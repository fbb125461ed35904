#pragma once

#include <functional>

namespace scenario::prova {

// The id "nobody" has on Debian: a user that owns nothing in the test folders.
inline constexpr unsigned id_senza_privilegi = 65534;

// Runs `prova` in a child process that file permissions do limit: as root, the child first
// becomes the user "nobody", so that a folder without write permission refuses it too. Returns
// the child's exit status (what `prova` returned), or -1 when the child could not drop its
// privileges or did not exit normally. Only plain values cross back: assert on them here.
int esegui_senza_privilegi(const std::function<int()>& prova);

}  // namespace scenario::prova
