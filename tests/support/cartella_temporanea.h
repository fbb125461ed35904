#pragma once

#include <filesystem>
#include <string>

namespace scenario::prova {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class cartella_temporanea {
public:
    cartella_temporanea();
    ~cartella_temporanea();
    cartella_temporanea(const cartella_temporanea&) = delete;
    cartella_temporanea& operator=(const cartella_temporanea&) = delete;

    const std::filesystem::path& percorso() const { return percorso_; }
    std::filesystem::path operator/(const std::string& nome) const { return percorso_ / nome; }

private:
    std::filesystem::path percorso_;
};

// Whole-file helpers for assertions.
std::string leggi_tutto(const std::filesystem::path& file);
void scrivi_tutto(const std::filesystem::path& file, const std::string& contenuto);

}  // namespace scenario::prova
