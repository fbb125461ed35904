#pragma once

#include <filesystem>
#include <string>

#include "textfile/cartella_privata.h"

namespace scenario::prova {

// A fresh folder of the test's own, removed with everything in it at the end.
using cartella_temporanea = cartella_privata;

// Whole-file helpers for assertions.
std::string leggi_tutto(const std::filesystem::path& file);
void scrivi_tutto(const std::filesystem::path& file, const std::string& contenuto);

}  // namespace scenario::prova
