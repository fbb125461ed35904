#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

// The records of the two sources as an author writes them: which keyword a reader would take,
// the names of its fields, and the keywords and section headers that exist at all. The readers
// recognise records by their own tests; these tables only serve the diagnostics.
namespace scenario {

enum class parte_sorgente { intestazione_linea, caratteristiche_linea, treno };

struct forma_record {
    std::string_view nome;  // the keyword as written in the built-in sources
    int numero_campi;
    std::array<std::string_view, 17> campi;
    int campo_testo = -1;  // the one text field, or -1
};

// The record a reader takes this keyword field for (the first of its tests that holds), or
// nullptr. Curves are records only when the line geometry is built.
const forma_record* riconosci_record(parte_sorgente parte, std::string_view parola,
                                     bool con_geometria);

// A curve keyword read while no geometry is built: its fields are skipped one by one.
bool parola_curva(std::string_view parola);

// "[" and "]" and not a comment: a section header, which carries no record.
bool intestazione_sezione(std::string_view parola);
bool sezione_nota(parte_sorgente parte, std::string_view parola);

// The one keyword of the part close to a field that matches none; nothing when none or several
// are equally close.
std::optional<std::string> parola_vicina(parte_sorgente parte, std::string_view parola);

}  // namespace scenario
