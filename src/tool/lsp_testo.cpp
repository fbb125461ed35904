#include "tool/lsp_testo.h"

#include <array>
#include <cstdio>

#include "textfile/codifica.h"
#include "tool/piattaforma_strumento.h"

namespace scenario::strumento::lsp {

namespace {

constexpr char32_t non_valido = 0xFFFFFFFF;

// The code point of the UTF-8 sequence at `i` and its length; a byte that starts no well-formed
// sequence is one character of length 1 that maps to nothing.
std::pair<char32_t, std::size_t> leggi_carattere(std::string_view s, std::size_t i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) return {b0, 1};
    std::size_t lunghezza = 0;
    char32_t cp = 0;
    char32_t minimo = 0;
    if ((b0 & 0xE0) == 0xC0) {
        lunghezza = 2, cp = b0 & 0x1F, minimo = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        lunghezza = 3, cp = b0 & 0x0F, minimo = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        lunghezza = 4, cp = b0 & 0x07, minimo = 0x10000;
    } else {
        return {non_valido, 1};
    }
    if (i + lunghezza > s.size()) return {non_valido, 1};
    for (std::size_t k = 1; k < lunghezza; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) return {non_valido, 1};
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < minimo || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return {non_valido, 1};
    return {cp, lunghezza};
}

// The code point each byte 0x80..0xFF stands for, taken from the one table of the code page.
const std::array<char32_t, 128>& caratteri_alti() {
    static const std::array<char32_t, 128> tabella = [] {
        std::array<char32_t, 128> t{};
        for (std::size_t b = 0; b < t.size(); ++b) {
            const std::string byte(1, static_cast<char>(0x80 + b));
            const std::string utf8 = da_cp1252(byte);
            t[b] = leggi_carattere(utf8, 0).first;
        }
        return t;
    }();
    return tabella;
}

std::optional<char> byte_cp1252(char32_t cp) {
    if (cp < 0x80) return static_cast<char>(cp);
    const auto& alti = caratteri_alti();
    for (std::size_t b = 0; b < alti.size(); ++b) {
        // U+FFFD stands for the five bytes the code page leaves unassigned: none is written.
        if (alti[b] == cp && cp != 0xFFFD) return static_cast<char>(0x80 + b);
    }
    return std::nullopt;
}

std::int32_t larghezza(char32_t cp, std::size_t byte_utf8, unita_colonna unita) {
    switch (unita) {
        case unita_colonna::utf8:
            return static_cast<std::int32_t>(byte_utf8);
        case unita_colonna::utf16:
            return cp != non_valido && cp > 0xFFFF ? 2 : 1;
        case unita_colonna::utf32:
            return 1;
    }
    return 1;
}

int cifra_esadecimale(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

testo_codificato codifica_per_disco(std::string_view utf8) {
    testo_codificato esito;
    esito.byte.reserve(utf8.size());
    std::int32_t riga = 0;
    std::int32_t indice = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto [cp, lunghezza] = leggi_carattere(utf8, i);
        const std::optional<char> byte = cp == non_valido ? std::nullopt : byte_cp1252(cp);
        if (byte) {
            esito.byte += *byte;
        } else {
            esito.byte += '?';
            esito.mancanti.push_back({riga, indice, std::string(utf8.substr(i, lunghezza))});
        }
        if (cp == '\n') {
            ++riga;
            indice = 0;
        } else {
            ++indice;
        }
        i += lunghezza;
    }
    return esito;
}

std::string_view riga_testo(std::string_view testo, std::int32_t riga) {
    std::size_t inizio = 0;
    for (std::int32_t n = 0; n < riga; ++n) {
        const std::size_t lf = testo.find('\n', inizio);
        if (lf == std::string_view::npos) return {};
        inizio = lf + 1;
    }
    std::size_t fine = testo.find('\n', inizio);
    if (fine == std::string_view::npos) fine = testo.size();
    if (fine > inizio && testo[fine - 1] == '\r') --fine;
    return testo.substr(inizio, fine - inizio);
}

std::int32_t colonna_client(std::string_view riga_utf8, std::int32_t indice, unita_colonna unita) {
    std::int32_t colonna = 0;
    std::size_t i = 0;
    for (std::int32_t n = 0; n < indice && i < riga_utf8.size(); ++n) {
        const auto [cp, lunghezza] = leggi_carattere(riga_utf8, i);
        colonna += larghezza(cp, lunghezza, unita);
        i += lunghezza;
    }
    return colonna;
}

std::int32_t indice_da_colonna(std::string_view riga_utf8, std::int32_t colonna,
                               unita_colonna unita) {
    std::int32_t indice = 0;
    std::int32_t contate = 0;
    for (std::size_t i = 0; i < riga_utf8.size();) {
        const auto [cp, lunghezza] = leggi_carattere(riga_utf8, i);
        contate += larghezza(cp, lunghezza, unita);
        if (contate > colonna) break;
        ++indice;
        i += lunghezza;
    }
    return indice;
}

std::optional<std::filesystem::path> percorso_da_uri(std::string_view uri) {
    constexpr std::string_view schema = "file://";
    if (uri.substr(0, schema.size()) != schema) return std::nullopt;
    std::string_view resto = uri.substr(schema.size());
    // "file://localhost/..." names this machine as "file:///..." does.
    if (resto.substr(0, 9) == "localhost") resto.remove_prefix(9);
    if (resto.empty() || resto.front() != '/') return std::nullopt;
    std::string percorso;
    for (std::size_t i = 0; i < resto.size(); ++i) {
        if (resto[i] != '%') {
            percorso += resto[i];
            continue;
        }
        if (i + 2 >= resto.size()) return std::nullopt;
        const int alta = cifra_esadecimale(resto[i + 1]);
        const int bassa = cifra_esadecimale(resto[i + 2]);
        if (alta < 0 || bassa < 0) return std::nullopt;
        percorso += static_cast<char>(alta * 16 + bassa);
        i += 2;
    }
    if (percorso.find('\0') != std::string::npos) return std::nullopt;
#ifdef _WIN32
    // "/C:/dir/file" is the drive path "C:/dir/file".
    if (percorso.size() >= 3 && percorso[2] == ':') percorso.erase(0, 1);
#endif
    // The escapes spell UTF-8, which a path built from a plain string would read in the ANSI
    // code page on Windows.
    return percorso_utente(percorso);
}

std::string uri_da_percorso(const std::filesystem::path& percorso) {
    // UTF-8 on both systems: generic_string() would give the ANSI code page on Windows.
    const std::u8string testo = percorso.generic_u8string();
    std::string uri = "file://";
    if (testo.empty() || testo.front() != '/') uri += '/';
    for (char8_t u : testo) {
        const auto c = static_cast<char>(u);
        const auto b = static_cast<unsigned char>(u);
        const bool libero = (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') ||
                            (b >= '0' && b <= '9') ||
                            std::string_view("-._~/").find(c) != std::string_view::npos;
        if (libero) {
            uri += c;
        } else {
            char esc[4];
            std::snprintf(esc, sizeof esc, "%%%02X", b);
            uri += esc;
        }
    }
    return uri;
}

}  // namespace scenario::strumento::lsp
