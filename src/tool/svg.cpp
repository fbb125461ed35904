#include "tool/svg.h"

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

}  // namespace scenario::strumento::svg
