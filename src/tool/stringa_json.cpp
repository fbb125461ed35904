#include "tool/stringa_json.h"

#include <cstdio>

namespace scenario::strumento {

std::string stringa_json(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size() + 2);
    out += '"';
    for (char c : utf8) {
        auto b = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (b < 0x20) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\u%04x", static_cast<unsigned>(b));
            out += esc;
        } else {
            out += c;
        }
    }
    out += '"';
    return out;
}

}  // namespace scenario::strumento
