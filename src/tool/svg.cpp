#include "tool/svg.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace scenario::strumento::svg {

std::string testo(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (char c : utf8) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default: {
                auto b = static_cast<unsigned char>(c);
                out += (b < 0x20 && c != '\t' && c != '\n') ? '?' : c;
            }
        }
    }
    return out;
}

std::string n(double valore) {
    if (!std::isfinite(valore)) return "0";
    // A tenth of a unit is finer than the eye can see; whole numbers drop the ".0".
    char testo_[48];
    std::snprintf(testo_, sizeof testo_, "%.1f", valore);
    std::string s = testo_;
    if (s.size() > 2 && s.compare(s.size() - 2, 2, ".0") == 0) s.resize(s.size() - 2);
    if (s == "-0") s = "0";
    return s;
}

namespace {

std::string attributo(std::string_view nome, double valore) {
    return std::string(nome) + "=\"" + n(valore) + "\"";
}

std::string tag(std::string_view nome, const std::string& coordinate, std::string_view attributi) {
    return "<" + std::string(nome) + " " + coordinate + " " + std::string(attributi) + "/>\n";
}

}  // namespace

std::string apri_documento(double larghezza, double altezza, std::string_view font) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" " +
           attributo("width", larghezza) + " " + attributo("height", altezza) + " viewBox=\"0 0 " +
           n(larghezza) + " " + n(altezza) + "\" font-family=\"" + std::string(font) + "\">\n";
}

std::string chiudi_documento() { return "</svg>\n"; }

std::string titolo(std::string_view contenuto) {
    return "<title>" + std::string(contenuto) + "</title>\n";
}

std::string sfondo(std::string_view colore) {
    return "<rect width=\"100%\" height=\"100%\" fill=\"" + std::string(colore) + "\"/>\n";
}

std::string scritta(double x, double y, std::string_view contenuto, std::string_view attributi) {
    return "<text " + attributo("x", x) + " " + attributo("y", y) + " " + std::string(attributi) +
           ">" + std::string(contenuto) + "</text>\n";
}

std::string scritta_ruotata(double x, double y, double gradi, std::string_view contenuto,
                            std::string_view attributi) {
    return "<text transform=\"translate(" + n(x) + "," + n(y) + ") rotate(" + n(gradi) + ")\" " +
           std::string(attributi) + ">" + std::string(contenuto) + "</text>\n";
}

std::string pezzo(double dx, std::string_view contenuto, std::string_view attributi) {
    return "<tspan " + attributo("dx", dx) + " " + std::string(attributi) + ">" +
           std::string(contenuto) + "</tspan>";
}

std::string linea(double x1, double y1, double x2, double y2, std::string_view attributi) {
    return tag("line",
               attributo("x1", x1) + " " + attributo("y1", y1) + " " + attributo("x2", x2) + " " +
                   attributo("y2", y2),
               attributi);
}

std::string rettangolo(double x, double y, double larghezza, double altezza,
                       std::string_view attributi) {
    return tag("rect",
               attributo("x", x) + " " + attributo("y", y) + " " +
                   attributo("width", std::max(larghezza, 0.8)) + " " +
                   attributo("height", std::max(altezza, 0.0)),
               attributi);
}

std::string cerchio(double cx, double cy, double raggio, std::string_view attributi) {
    return tag("circle",
               attributo("cx", cx) + " " + attributo("cy", cy) + " " + attributo("r", raggio),
               attributi);
}

std::string tracciato(std::string_view d, std::string_view attributi) {
    return tag("path", "d=\"" + std::string(d) + "\"", attributi);
}

std::string polilinea(std::string_view punti, std::string_view attributi) {
    return tag("polyline", "points=\"" + std::string(punti) + "\"", attributi);
}

}  // namespace scenario::strumento::svg
