#include "banco_strumento.h"

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <memory>
#include <sstream>

#include "tool/strumento.h"

namespace scenario::prova {

esito_strumento strumento(const std::vector<std::string>& parole) {
    std::ostringstream uscita;
    std::ostringstream errori;
    esito_strumento esito;
    esito.stato = strumento::esegui_strumento(parole, uscita, errori);
    esito.uscita = uscita.str();
    esito.errori = errori.str();
    return esito;
}

void esporta_incorporate(const std::filesystem::path& cartella) {
    esito_strumento e = strumento({"sources", cartella.string()});
    ASSERT_EQ(e.stato, 0) << e.errori;
}

void modifica(const std::filesystem::path& file, const std::string& vecchio,
              const std::string& nuovo) {
    std::string testo = leggi_tutto(file);
    std::size_t dove = testo.find(vecchio);
    ASSERT_NE(dove, std::string::npos) << vecchio << " not in " << file;
    testo.replace(dove, vecchio.size(), nuovo);
    scrivi_tutto(file, testo);
}

int esegui_comando(const std::string& comando) {
    int stato = std::system(comando.c_str());
    return WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
}

std::string virgolette(const std::filesystem::path& p) { return "'" + p.string() + "'"; }

const std::filesystem::path& file_del_programma() {
    static std::unique_ptr<cartella_temporanea> cartella;
    if (!cartella) {
        cartella = std::make_unique<cartella_temporanea>();
        std::filesystem::copy_file(ESEGUIBILE_PROGRAMMA, *cartella / "programma");
        int stato = esegui_comando("cd " + virgolette(cartella->percorso()) +
                                   " && env -u DISPLAY ./programma 2> errori.txt");
        EXPECT_EQ(stato, 0) << leggi_tutto(*cartella / "errori.txt");
    }
    return cartella->percorso();
}

}  // namespace scenario::prova
