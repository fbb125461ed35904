#include "tool/stampa_diagnostiche.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "run/codici_errore.h"
#include "textfile/codifica.h"
#include "tool/stringa_json.h"

namespace scenario::strumento {

namespace {

// Source bytes are Windows-1252; the terminal, the editor and JSON read UTF-8. Control bytes
// (a CR inside a field) are shown, not sent.
std::string leggibile(const std::string& cp1252) {
    // Most messages are ASCII, which reads the same in both encodings: converted only otherwise.
    const bool ascii = std::all_of(cp1252.begin(), cp1252.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    const std::string convertito = ascii ? std::string() : da_cp1252(cp1252);
    const std::string& utf8 = ascii ? cp1252 : convertito;
    std::string out;
    out.reserve(utf8.size());
    for (char c : utf8) {
        auto b = static_cast<unsigned char>(c);
        if (b == '\r') {
            out += "\\r";
        } else if (b == '\t') {
            out += ' ';
        } else if (b < 0x20 || b == 0x7F) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\x%02X", b);
            out += esc;
        } else {
            out += c;
        }
    }
    return out;
}

// The folder as the author typed it, joined to the file with the system's own separator.
std::string nome_file(const std::string& cartella, const std::string& file) {
    if (file.empty() || cartella.empty()) return file;
    if (cartella.back() == '/' || cartella.back() == '\\') return cartella + file;
    return cartella + static_cast<char>(std::filesystem::path::preferred_separator) + file;
}

std::string luogo(const std::string& file, std::int32_t riga, std::int32_t colonna) {
    std::string testo = file;
    if (riga > 0) testo += ":" + std::to_string(riga);
    if (riga > 0 && colonna > 0) testo += ":" + std::to_string(colonna);
    return testo;
}

// Line `riga` of a source, without its line end (the readers count LF only).
std::string riga_di(const sorgenti_citate& sorgenti, const std::string& file, std::int32_t riga) {
    auto trovata = sorgenti.find(file);
    if (trovata == sorgenti.end() || riga < 1) return {};
    const std::string& testo = trovata->second;
    std::size_t inizio = 0;
    for (std::int32_t n = 1; n < riga; ++n) {
        std::size_t lf = testo.find('\n', inizio);
        if (lf == std::string::npos) return {};
        inizio = lf + 1;
    }
    std::size_t fine = testo.find('\n', inizio);
    if (fine == std::string::npos) fine = testo.size();
    if (fine > inizio && testo[fine - 1] == '\r') --fine;
    return testo.substr(inizio, fine - inizio);
}

std::string etichetta(const diagnostica& d) {
    if (d.livello == gravita::errore) return "code " + std::to_string(d.codice);
    return d.nome;
}

void citazione(const sorgenti_citate& sorgenti, const std::string& file, std::int32_t riga,
               std::int32_t colonna, std::ostream& out) {
    std::string testo = riga_di(sorgenti, file, riga);
    if (riga < 1 || (testo.empty() && colonna <= 1)) return;
    std::string numero = std::to_string(riga);
    out << "  " << numero << " | " << leggibile(testo) << '\n';
    if (colonna < 1) return;
    // The caret stands under the column: one place per source byte before it.
    std::string prima = colonna - 1 <= static_cast<std::int32_t>(testo.size())
                            ? testo.substr(0, static_cast<std::size_t>(colonna - 1))
                            : testo;
    std::size_t caratteri = 0;
    std::string mostrato = leggibile(prima);
    for (unsigned char c : mostrato) {
        if ((c & 0xC0) != 0x80) ++caratteri;
    }
    std::size_t mancano = static_cast<std::size_t>(colonna - 1) > prima.size()
                              ? static_cast<std::size_t>(colonna - 1) - prima.size()
                              : 0;
    out << "  " << std::string(numero.size(), ' ') << " | " << std::string(caratteri + mancano, ' ')
        << "^\n";
}

void testo(const std::vector<diagnostica>& elenco, const sorgenti_citate& sorgenti,
           const std::string& cartella, std::ostream& out) {
    for (const diagnostica& d : elenco) {
        out << nome_gravita(d.livello) << " [" << etichetta(d) << "]: ";
        if (d.livello == gravita::errore) out << "Errore " << d.codice << ": ";
        out << leggibile(d.messaggio) << '\n';
        if (!d.file.empty() || d.posizione) {
            out << "  --> ";
            if (!d.file.empty()) out << luogo(nome_file(cartella, d.file), d.riga, d.colonna);
            if (d.posizione) out << (d.file.empty() ? "" : ", ") << "at " << *d.posizione << " m";
            out << '\n';
        }
        citazione(sorgenti, d.file, d.riga, d.colonna, out);
        for (const nota_diagnostica& n : d.note) {
            out << "  note: " << leggibile(n.messaggio);
            if (!n.file.empty()) {
                out << " (" << luogo(nome_file(cartella, n.file), n.riga, n.colonna) << ")";
            }
            out << '\n';
        }
    }
}

void gcc(const std::vector<diagnostica>& elenco, const std::string& cartella, std::ostream& out) {
    for (const diagnostica& d : elenco) {
        std::string dove = d.file.empty() ? std::string("scenario-tool")
                                          : luogo(nome_file(cartella, d.file), d.riga, d.colonna);
        out << dove << ": " << nome_gravita(d.livello) << ": " << leggibile(d.messaggio);
        if (d.posizione) out << " (at " << *d.posizione << " m)";
        out << " [" << etichetta(d) << "]\n";
        for (const nota_diagnostica& n : d.note) {
            std::string dove_nota =
                n.file.empty() ? dove : luogo(nome_file(cartella, n.file), n.riga, n.colonna);
            out << dove_nota << ": note: " << leggibile(n.messaggio) << '\n';
        }
    }
}

void in_json(const std::vector<diagnostica>& elenco, const std::string& cartella,
             std::ostream& out) {
    std::size_t errori = 0;
    std::size_t avvisi = 0;
    for (const diagnostica& d : elenco) (d.livello == gravita::errore ? errori : avvisi) += 1;
    out << "{\"errors\":" << errori << ",\"warnings\":" << avvisi << ",\"diagnostics\":[";
    bool primo = true;
    for (const diagnostica& d : elenco) {
        out << (primo ? "" : ",") << "\n{\"severity\":" << stringa_json(nome_gravita(d.livello));
        primo = false;
        out << ",\"code\":";
        if (d.livello == gravita::errore) {
            out << d.codice << ",\"name\":null,\"meaning\":"
                << stringa_json(leggibile(significato_codice(d.codice)));
        } else {
            out << "null,\"name\":" << stringa_json(d.nome) << ",\"meaning\":null";
        }
        out << ",\"file\":"
            << (d.file.empty() ? "null" : stringa_json(leggibile(nome_file(cartella, d.file))));
        out << ",\"line\":" << d.riga << ",\"column\":" << d.colonna;
        out << ",\"position\":";
        if (d.posizione) {
            out << *d.posizione;
        } else {
            out << "null";
        }
        out << ",\"message\":" << stringa_json(leggibile(d.messaggio)) << ",\"notes\":[";
        bool prima_nota = true;
        for (const nota_diagnostica& n : d.note) {
            out << (prima_nota ? "" : ",") << "{\"file\":"
                << (n.file.empty() ? "null" : stringa_json(leggibile(nome_file(cartella, n.file))))
                << ",\"line\":" << n.riga << ",\"column\":" << n.colonna
                << ",\"message\":" << stringa_json(leggibile(n.messaggio)) << "}";
            prima_nota = false;
        }
        out << "]}";
    }
    out << "\n]}\n";
}

}  // namespace

void stampa_diagnostiche(const std::vector<diagnostica>& elenco, formato_diagnostiche formato,
                         const sorgenti_citate& sorgenti, const std::string& cartella,
                         std::ostream& out) {
    switch (formato) {
        case formato_diagnostiche::testo:
            testo(elenco, sorgenti, cartella, out);
            return;
        case formato_diagnostiche::gcc:
            gcc(elenco, cartella, out);
            return;
        case formato_diagnostiche::json:
            in_json(elenco, cartella, out);
            return;
    }
}

}  // namespace scenario::strumento
