#pragma once

#include <string>
#include <string_view>

// Everything that writes SVG markup: the drawing code says what goes where, these helpers write
// the tags. Each tag is one line ending in "\n"; `attributi` is written as given after the
// coordinates, so a caller passes presentation attributes ready-made ("fill=\"#e67e22\"").
namespace scenario::strumento::svg {

// UTF-8 text made safe for XML content and attribute values: the five special characters
// escaped, control bytes that XML forbids replaced by "?".
std::string testo(std::string_view utf8);

// A coordinate with one decimal, '.' as the separator whatever the locale.
std::string n(double valore);

// The document's first lines up to and including the <svg> tag, and its last line.
std::string apri_documento(double larghezza, double altezza, std::string_view font);
std::string chiudi_documento();
// The page's <title> (markup already) and a rectangle filling the whole page.
std::string titolo(std::string_view contenuto);
std::string sfondo(std::string_view colore);

// <text> at (x, y); `contenuto` is markup already (escape a plain text with `testo`).
std::string scritta(double x, double y, std::string_view contenuto,
                    std::string_view attributi = "");
// <text> moved to (x, y) and turned by `gradi` about that point.
std::string scritta_ruotata(double x, double y, double gradi, std::string_view contenuto,
                            std::string_view attributi);
// A <tspan> inside a <text>, moved `dx` after the text before it; no line end.
std::string pezzo(double dx, std::string_view contenuto, std::string_view attributi);

std::string linea(double x1, double y1, double x2, double y2, std::string_view attributi);
// A rectangle at least 0.8 wide, so that one cell's feature stays visible at any scale, and never
// of negative height.
std::string rettangolo(double x, double y, double larghezza, double altezza,
                       std::string_view attributi);
std::string cerchio(double cx, double cy, double raggio, std::string_view attributi);
// `d` and `punti` in SVG path and point-list syntax.
std::string tracciato(std::string_view d, std::string_view attributi);
std::string polilinea(std::string_view punti, std::string_view attributi);

}  // namespace scenario::strumento::svg
