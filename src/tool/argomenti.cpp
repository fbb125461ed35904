#include "tool/argomenti.h"

#include <charconv>
#include <limits>

namespace scenario::strumento {

namespace {

const opzione* cerca_lunga(std::span<const opzione> opzioni, std::string_view nome) {
    for (const opzione& o : opzioni) {
        if (o.lunga == nome) return &o;
    }
    return nullptr;
}

const opzione* cerca_corta(std::span<const opzione> opzioni, char c) {
    for (const opzione& o : opzioni) {
        if (o.corta != '\0' && o.corta == c) return &o;
    }
    return nullptr;
}

}  // namespace

bool argomenti::ha(std::string_view lunga) const {
    return interruttori.find(lunga) != interruttori.end() || valori.find(lunga) != valori.end();
}

const std::string* argomenti::valore(std::string_view lunga) const {
    auto trovato = valori.find(lunga);
    return trovato == valori.end() ? nullptr : &trovato->second;
}

const std::string& argomenti::richiesto(std::string_view lunga) const {
    const std::string* v = valore(lunga);
    if (v == nullptr) throw errore_uso("missing --" + std::string(lunga));
    return *v;
}

const std::string& argomenti::cartella_sorgenti() const {
    if (posizionali.size() != 1) {
        throw errore_uso(posizionali.empty() ? "missing the folder of the sources"
                                             : "one folder only, got " +
                                                   std::to_string(posizionali.size()) + " words");
    }
    return posizionali[0];
}

argomenti analizza_argomenti(const std::vector<std::string>& parole,
                             std::span<const opzione> opzioni) {
    argomenti risultato;
    bool solo_posizionali = false;
    for (std::size_t n = 0; n < parole.size(); ++n) {
        const std::string& parola = parole[n];
        if (solo_posizionali || parola.size() < 2 || parola[0] != '-') {
            risultato.posizionali.push_back(parola);
            continue;
        }
        if (parola == "--") {
            solo_posizionali = true;
            continue;
        }

        const opzione* o = nullptr;
        std::string scritta = parola;  // as the user wrote it, for messages
        std::string valore_unito;
        bool ha_valore_unito = false;
        if (parola.rfind("--", 0) == 0) {
            std::string_view nome = std::string_view(parola).substr(2);
            std::size_t uguale = nome.find('=');
            if (uguale != std::string_view::npos) {
                valore_unito = std::string(nome.substr(uguale + 1));
                ha_valore_unito = true;
                nome = nome.substr(0, uguale);
                scritta = "--" + std::string(nome);
            }
            o = cerca_lunga(opzioni, nome);
        } else if (parola.size() == 2) {
            o = cerca_corta(opzioni, parola[1]);
        }
        if (o == nullptr) throw errore_uso("unknown option " + scritta);

        std::string lunga(o->lunga);
        if (risultato.ha(lunga)) throw errore_uso(scritta + " given twice");
        if (!o->con_valore) {
            if (ha_valore_unito) throw errore_uso(scritta + " takes no value");
            risultato.interruttori.insert(lunga);
            continue;
        }
        if (ha_valore_unito) {
            risultato.valori.emplace(lunga, valore_unito);
        } else if (n + 1 < parole.size()) {
            risultato.valori.emplace(lunga, parole[++n]);
        } else {
            throw errore_uso(scritta + " needs a value");
        }
    }
    return risultato;
}

bool chiede_aiuto(const std::vector<std::string>& parole) {
    for (const std::string& parola : parole) {
        if (parola == "--") return false;
        if (parola == "--help" || parola == "-h") return true;
    }
    return false;
}

std::int32_t intero_positivo(std::string_view testo, std::string_view lunga) {
    std::int32_t valore = 0;
    const char* fine = testo.data() + testo.size();
    auto [dove, errore] = std::from_chars(testo.data(), fine, valore);
    if (testo.empty() || errore != std::errc{} || dove != fine || valore < 1) {
        throw errore_uso("--" + std::string(lunga) + " needs a whole number from 1 to " +
                         std::to_string(std::numeric_limits<std::int32_t>::max()) + ", not '" +
                         std::string(testo) + "'");
    }
    return valore;
}

void verifica_nome(std::string_view testo, std::string_view lunga) {
    std::string prefisso = "--" + std::string(lunga) + " '" + std::string(testo) + "'";
    if (testo.empty()) throw errore_uso("--" + std::string(lunga) + " must not be empty");
    if (testo == "." || testo == "..") throw errore_uso(prefisso + " is not a usable name");
    for (char c : testo) {
        auto b = static_cast<unsigned char>(c);
        // The name is stored in the record table as Windows-1252 and names files that the
        // simulator opens on Windows: plain ASCII keeps both the same.
        if (b < 0x20 || b > 0x7E) {
            throw errore_uso(prefisso + ": only printable ASCII characters are allowed");
        }
        if (std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos) {
            throw errore_uso(prefisso + ": the character '" + std::string(1, c) +
                             "' cannot stand in a file name");
        }
    }
}

}  // namespace scenario::strumento
