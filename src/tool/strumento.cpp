#include "tool/strumento.h"

#include <array>
#include <exception>
#include <string_view>

#include "tool/aiuto.h"
#include "tool/argomenti.h"
#include "tool/comando_compila.h"
#include "tool/comando_disegna.h"
#include "tool/comando_dump.h"
#include "tool/comando_lsp.h"
#include "tool/comando_servi.h"
#include "tool/comando_sorgenti.h"
#include "tool/comando_verifica.h"
#include "tool/stati_uscita.h"
#include "tool/uscita_standard.h"

namespace scenario::strumento {

namespace {

using funzione_comando = int (*)(const std::vector<std::string>&, std::ostream&, std::ostream&);

struct comando {
    std::string_view nome;
    funzione_comando esegui;
};

constexpr std::array<comando, 7> comandi = {{
    {"check", comando_verifica},
    {"compile", comando_compila},
    {"sources", comando_sorgenti},
    {"dump", comando_dump},
    {"render", comando_disegna},
    {"serve", comando_servi},
    {"lsp", comando_lsp},
}};

const comando* cerca(std::string_view nome) {
    for (const comando& c : comandi) {
        if (c.nome == nome) return &c;
    }
    return nullptr;
}

int errore_di_uso(std::ostream& errori, const std::string& testo, std::string_view comando) {
    errori << "scenario-tool";
    if (!comando.empty()) errori << ' ' << comando;
    errori << ": " << testo << "\nRun 'scenario-tool help";
    if (!comando.empty()) errori << ' ' << comando;
    errori << "' for the usage.\n";
    return uscita::uso;
}

int aiuto(const std::vector<std::string>& parole, std::ostream& uscita_, std::ostream& errori) {
    if (parole.size() > 2) return errore_di_uso(errori, "help takes one command at most", "");
    if (parole.size() == 1) {
        uscita_ << aiuto_generale();
        return uscita::riuscita;
    }
    std::string_view testo = aiuto_comando(parole[1]);
    if (testo.empty()) return errore_di_uso(errori, "no command named '" + parole[1] + "'", "");
    uscita_ << testo;
    return uscita::riuscita;
}

int esegui(const std::vector<std::string>& parole, std::ostream& uscita_, std::ostream& errori) {
    if (parole.empty()) {
        errori << aiuto_generale();
        return uscita::uso;
    }
    const std::string& nome = parole[0];
    if (nome == "help") return aiuto(parole, uscita_, errori);
    if (nome == "--help" || nome == "-h") {
        uscita_ << aiuto_generale();
        return uscita::riuscita;
    }
    const comando* c = cerca(nome);
    if (c == nullptr) return errore_di_uso(errori, "no command named '" + nome + "'", "");

    std::vector<std::string> resto(parole.begin() + 1, parole.end());
    if (chiede_aiuto(resto)) {
        uscita_ << aiuto_comando(c->nome);
        return uscita::riuscita;
    }
    try {
        return c->esegui(resto, uscita_, errori);
    } catch (const errore_uso& e) {
        return errore_di_uso(errori, e.what(), c->nome);
    } catch (const std::exception& e) {
        // Whatever slipped through the command's own handling still ends with a message.
        errori << "scenario-tool " << c->nome << ": " << e.what() << '\n';
        return uscita::guasto_sistema;
    }
}

}  // namespace

int esegui_strumento(const std::vector<std::string>& parole, std::ostream& uscita_,
                     std::ostream& errori) {
    int stato = esegui(parole, uscita_, errori);
    // Output that never reached its reader is a failure like an unwritable file.
    if (uscita_.flush()) return stato;
    std::string causa = "the stream refused the output";
    if (const auto* buffer = dynamic_cast<const buffer_descrittore*>(uscita_.rdbuf());
        buffer != nullptr && !buffer->causa().empty()) {
        causa = buffer->causa();
    }
    errori << "scenario-tool: cannot write to standard output: " << causa << '\n';
    return uscita::guasto_sistema;
}

}  // namespace scenario::strumento
